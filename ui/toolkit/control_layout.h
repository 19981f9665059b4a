// The controls of a dialog as its template lays them out, arranged again for
// the dialog's present size and DPI: each control keeps its place scaled to
// the DPI, and the edges anchored to the dialog's right or bottom edge keep
// their distance to it, so a control moves or stretches as the dialog grows.
// A dialog may have a split, an upright line between controls that the user
// moves (a splitter): the left and right edges that follow it move with it.
#pragma once

#include <windows.h>

#include <vector>

namespace scramblo::ui {

// Where a control is now, in its dialog's client area.
RECT placeOf(HWND control);

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
    // Besides its anchoring: the control's kLeftEdge or kRightEdge (or both)
    // follows the split.
    void followSplit(HWND control, unsigned edges);

    // How far the split may move from the template's place, in pixels at the
    // DPI of the capture: from `least` to `most` and what the dialog has grown
    // wider than the template (0 and 0 until set: it does not move).
    void setSplitRange(int least, int most);
    // The split's offset from the template's place, in pixels at `dpi`:
    // where it is now, and where it is to be, kept within its range for the
    // dialog's present size. Arrange shows it.
    int split(UINT dpi) const;
    void setSplit(int offset, UINT dpi);

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
        unsigned splitEdges;
    };

    RECT scaled(const RECT& place, UINT dpi) const;
    // The offset within its range, at the capture's DPI, for the client area as it is now.
    int splitWithinRange(int offset, UINT dpi) const;

    HWND dialog_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    SIZE client_{};
    std::vector<Control> controls_;
    // The split's offset and range, at the capture's DPI.
    int split_ = 0;
    int splitLeast_ = 0;
    int splitMost_ = 0;
};

}  // namespace scramblo::ui
