#include "about_dialog.h"

#include "about_dialog_ids.h"
#include "toolkit/program_icon.h"

namespace scramblo::ui {

INT_PTR AboutDialog::run(HWND owner) {
    return runModal(IDD_ABOUT, owner);
}

bool AboutDialog::onInitDialog() {
    centerOver(GetWindow(window(), GW_OWNER));
    link_.attach(item(IDC_ABOUT_LINK));
    showProgramIcon(window(), dpi(), icon_);
    return true;
}

void AboutDialog::onDpiChanged(UINT dpi) {
    link_.followDpi(dpi);
    showProgramIcon(window(), dpi, icon_);
}

bool AboutDialog::onCommand(int id, int /*notifyCode*/, HWND /*control*/) {
    if (id != IDOK && id != IDCANCEL) return false;
    end(id);
    return true;
}

void showAboutDialog(HWND owner) {
    AboutDialog dialog;
    dialog.run(owner);
}

}  // namespace scramblo::ui
