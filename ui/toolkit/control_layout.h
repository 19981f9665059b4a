// The controls of a dialog as its template lays them out, arranged again for
// the dialog's present size and DPI: each control keeps its place scaled to
// the DPI, and the edges anchored to the dialog's right or bottom edge keep
// their distance to it, so a control moves or stretches as the dialog grows.
#pragma once

#include <windows.h>

#include <vector>

namespace scramblo::ui {

class ControlLayout {
  public:
    // The edges of a control that follow the dialog's right or bottom edge.
    enum Edges : unsigned {
        kNoEdge = 0,
        kLeftEdge = 1,
        kRightEdge = 2,
        kTopEdge = 4,
        kBottomEdge = 8,
        kMovesRight = kLeftEdge | kRightEdge,
        kStretchesRight = kRightEdge,
    };

    // Takes the dialog's controls and client area as they are now, at `dpi`.
    void capture(HWND dialog, UINT dpi);
    bool captured() const { return dialog_ != nullptr; }
    void anchor(HWND control, unsigned edges);

    // Moves every control to its place for the client area's size and `dpi`,
    // all in one step.
    void arrange(UINT dpi) const;
    // The outer size at which the client area is as large as at the capture.
    SIZE minimumWindowSize(UINT dpi) const;

  private:
    struct Control {
        HWND window;
        RECT place;
        unsigned edges;
    };

    RECT scaled(const RECT& place, UINT dpi) const;

    HWND dialog_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    SIZE client_{};
    std::vector<Control> controls_;
};

}  // namespace scramblo::ui
