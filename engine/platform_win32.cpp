#include <windows.h>

#include "platform.h"

namespace scramblo::platform {

PostResult postNotification(NotifyTarget target, uint32_t message, uintptr_t code,
                            uintptr_t value) {
    auto window = static_cast<HWND>(target);
    if (PostMessageA(window, message, code, value)) return PostResult::Posted;
    return IsWindow(window) ? PostResult::Refused : PostResult::TargetGone;
}

void sleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

uint32_t tickCount() {
    return GetTickCount();
}

}  // namespace scramblo::platform
