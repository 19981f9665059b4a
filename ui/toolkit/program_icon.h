// The program's icon, loaded at the size that the system gives icons at a DPI.
#pragma once

#include <windows.h>

#include "toolkit/win32_handles.h"

namespace scramblo::ui {

// `sizeMetric` is SM_CXICON or SM_CXSMICON; none when the icon cannot be loaded.
UniqueIcon loadProgramIcon(int sizeMetric, UINT dpi);

// Shows the program's icon, loaded for `dpi`, in the dialog's icon statics.
// The icon shown is kept in `shown`, the one before given back.
void showProgramIcon(HWND dialog, UINT dpi, UniqueIcon& shown);

}  // namespace scramblo::ui
