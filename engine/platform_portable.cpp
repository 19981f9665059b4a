#include <chrono>
#include <thread>

#include "mailbox.h"
#include "platform.h"

namespace scramblo::platform {

PostResult postNotification(NotifyTarget target, uint32_t message, uintptr_t code,
                            uintptr_t value) {
    return static_cast<Mailbox*>(target)->put({message, code, value});
}

void sleepMilliseconds(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t tickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace scramblo::platform
