#include "program_icon.h"

#include <iterator>

#include "app_ids.h"
#include "toolkit/app_module.h"
#include "toolkit/dpi.h"

namespace scramblo::ui {

UniqueIcon loadProgramIcon(int sizeMetric, UINT dpi) {
    int size = systemMetricForDpi(sizeMetric, dpi);
    // Not shared: a shared icon keeps the size it was first loaded at.
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(AppModule::instance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0)));
}

void showProgramIcon(HWND dialog, UINT dpi, UniqueIcon& shown) {
    UniqueIcon icon = loadProgramIcon(SM_CXICON, dpi);
    if (!icon) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[8];
        if (GetClassNameW(child, className, std::size(className)) > 0 &&
            lstrcmpiW(className, L"static") == 0 &&
            (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        }
    }
    shown = std::move(icon);
}

}  // namespace scramblo::ui
