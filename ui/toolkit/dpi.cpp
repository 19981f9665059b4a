#include "dpi.h"

namespace scramblo::ui {
namespace {

// A function of a system library, or none where the system lacks it.
template <typename Function>
Function* systemFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

HMODULE user32() {
    static const HMODULE library = GetModuleHandleW(L"user32.dll");
    return library;
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

}  // namespace

UINT dpiOfWindow(HWND window) {
    static auto* const getDpiForWindow =
        systemFunction<UINT WINAPI(HWND)>(user32(), "GetDpiForWindow");
    UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : systemDpi();
}

UINT dpiOfMonitor(HMONITOR monitor) {
    // Shcore is no part of a Windows older than 8.1.
    using GetDpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static auto* const getDpiForMonitor = systemFunction<GetDpiForMonitor>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0;
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiY != 0) {
        return dpiY;
    }
    return systemDpi();
}

int systemMetricForDpi(int index, UINT dpi) {
    static auto* const getSystemMetricsForDpi =
        systemFunction<int WINAPI(int, UINT)>(user32(), "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr) return getSystemMetricsForDpi(index, dpi);
    return scaleToDpi(GetSystemMetrics(index), dpi, systemDpi());
}

void keepDialogScalingToTheProgram(HWND dialog) {
    using SetBehavior = BOOL WINAPI(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static auto* const setBehavior =
        systemFunction<SetBehavior>(user32(), "SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) setBehavior(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

}  // namespace scramblo::ui
