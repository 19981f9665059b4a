// The link's cursor: a hand whose index finger points up.
#pragma once

#include <windows.h>

#include "toolkit/win32_handles.h"

namespace scramblo::ui {

// Hot spot at the tip of the finger.
constexpr POINT kHandHotSpot{5, 0};

// A 32 x 32 monochrome cursor; none when the system refuses it.
UniqueCursor createHandCursor(HINSTANCE instance);

}  // namespace scramblo::ui
