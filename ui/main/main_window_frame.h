// The main window as a window on the desktop: its controls anchored so that
// the results box takes whatever the user adds to the window's size, the
// splitter between the words that fit and the results, the place, size and
// split it had when it last closed, and its icons at its DPI.
#pragma once

#include <windows.h>

#include "toolkit/dialog.h"
#include "toolkit/splitter.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class MainWindowFrame {
  public:
    explicit MainWindowFrame(Dialog& window) : window_(window) {}

    // While the window initialises, hidden: anchors the controls, puts the
    // window where it last was (else centres it) and gives it its icons.
    void attach();
    // The state for the window's first showing: maximised when it closed
    // maximised and the start asks for the window as usual.
    int firstShowState(int requested) const;
    // Follows the window's moves (WM_WINDOWPOSCHANGED), keeping the rectangle
    // it has when neither maximised nor minimised, and the user's dragging of
    // its frame (WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE).
    void follow(UINT message);
    void onDpiChanged() { showIcons(); }
    // Answers "claimed?" for the mouse over the splitter and its dragging.
    bool onSplitterMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
        return splitter_.onMessage(message, wParam, lParam, result);
    }
    // Stores the place for the next start; when the window closes.
    void save() const;

  private:
    void noteNormalPlace();
    void anchorControls();
    void attachSplitter();
    bool restorePlace();
    void showIcons();

    Dialog& window_;
    Splitter splitter_{window_};
    RECT normal_{};
    UINT normalDpi_ = USER_DEFAULT_SCREEN_DPI;
    bool openMaximised_ = false;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};

}  // namespace scramblo::ui
