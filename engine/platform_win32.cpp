#include <windows.h>

#include "platform.h"

namespace scramblo::platform {

bool postNotification(NotifyTarget target, uint32_t message, uintptr_t code, uintptr_t value) {
    return PostMessageA(static_cast<HWND>(target), message, code, value) != FALSE;
}

void sleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

uint32_t tickCount() {
    return GetTickCount();
}

}  // namespace scramblo::platform
