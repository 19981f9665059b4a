#include "program_icon.h"

#include "app_ids.h"
#include "toolkit/app_module.h"
#include "toolkit/dpi.h"

namespace scramblo::ui {

UniqueIcon loadProgramIcon(int sizeMetric, UINT dpi) {
    int size = systemMetricForDpi(sizeMetric, dpi);
    // Not shared: a shared icon keeps the size it was first loaded at.
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(AppModule::instance(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, size, size, 0)));
}

void showProgramIcon(HWND dialog, UINT dpi, UniqueIcon& shown) {
    UniqueIcon icon = loadProgramIcon(SM_CXICON, dpi);
    if (!icon) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[8];
        if (GetClassNameA(child, className, sizeof className) > 0 &&
            lstrcmpiA(className, "static") == 0 &&
            (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        }
    }
    shown = std::move(icon);
}

}  // namespace scramblo::ui
