// The About dialog: the program's icon, name and version, a credit text and
// a link to the maker's web address.
#pragma once

#include <windows.h>

#include "about/link_control.h"
#include "toolkit/dialog.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class AboutDialog : public Dialog {
  public:
    // `shell` opens the link's target; the shell's "open" verb by default.
    explicit AboutDialog(LinkControl::Shell shell = LinkControl::openWithShell)
        : link_(std::move(shell)) {}

    // Runs the dialog modally over `owner`; answers 1 for OK, 2 for Escape
    // or the close box.
    INT_PTR run(HWND owner);

  protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    void onDpiChanged(UINT dpi) override;

  private:
    LinkControl link_;
    UniqueIcon icon_;
};

// The About command: shows the dialog over `owner` until the user closes it.
void showAboutDialog(HWND owner);

}  // namespace scramblo::ui
