// The link's cursor: a hand whose index finger points up.
#pragma once

#include <windows.h>

#include "toolkit/win32_handles.h"

namespace scramblo::ui {

// Hot spot at the tip of the finger, at 96 DPI.
constexpr POINT kHandHotSpot{5, 0};

// A monochrome cursor of 32 x 32 pixels at 96 DPI, scaled to `dpi` (64 x 64
// at 192) pixel for pixel; none when the system refuses it.
UniqueCursor createHandCursor(HINSTANCE instance, UINT dpi);

}  // namespace scramblo::ui
