// A splitter in a dialog: the gap between a control and the one right of it,
// which the user drags with the mouse to move the dialog's split (see
// ControlLayout) and with it every control edge that follows the split. The
// cursor shows the two-way arrow over the gap.
#pragma once

#include <windows.h>

#include "toolkit/dialog.h"

namespace scramblo::ui {

class Splitter {
  public:
    explicit Splitter(Dialog& dialog) : dialog_(dialog) {}

    // While the dialog initialises, as the template lays it out: the
    // controls on either side of the gap, each of which the split may narrow
    // to half its width. Which edges follow the split is the dialog's to say.
    void attach(HWND left, HWND right);

    // The width of the control left of the gap, in pixels at the dialog's
    // DPI, and moving the split to give it a width (as far as the split may go).
    int leftWidth() const;
    void setLeftWidth(int width);

    // Answers "claimed?" for the dialog's messages about the mouse over the
    // gap and its dragging.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  private:
    bool overGap(POINT point) const;  // in the dialog's client area
    void moveSplit(int offset);

    Dialog& dialog_;
    HWND left_ = nullptr;
    HWND right_ = nullptr;
    bool dragging_ = false;
    int dragStartX_ = 0;
    int dragStartSplit_ = 0;
};

}  // namespace scramblo::ui
