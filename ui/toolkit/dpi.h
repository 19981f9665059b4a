// The screen's resolution in dots per inch, per monitor where the system has
// it (Windows 10 and 8.1), else the system-wide one; 96 is 100 %. The newer
// calls are looked up when first needed, so the program still starts on a
// system without them.
#pragma once

#include <windows.h>

namespace scramblo::ui {

constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

UINT dpiOfWindow(HWND window);
UINT dpiOfMonitor(HMONITOR monitor);
// A system metric (an icon's or the caption's size, say) at that DPI.
int systemMetricForDpi(int index, UINT dpi);

// A length given at `fromDpi`, at `dpi`.
inline int scaleToDpi(int length, UINT dpi, UINT fromDpi = kDefaultDpi) {
    return MulDiv(length, static_cast<int>(dpi), static_cast<int>(fromDpi));
}

// The dialog manager of Windows 10 rescales a dialog's font and controls on
// a change of DPI by itself; this program does it in its own code, as it
// must where the system does not, and so turns that off.
void keepDialogScalingToTheProgram(HWND dialog);

}  // namespace scramblo::ui
