#include <chrono>

#include "mailbox.h"
#include "notification_inbox.h"

namespace scramblo {
namespace platform {

PostResult postNotification(NotifyTarget target, uint32_t, uintptr_t code, uintptr_t value) {
    return static_cast<Mailbox*>(target)->put(code, value);
}

std::optional<Notification> takeNotification(NotifyTarget target,
                                             std::chrono::milliseconds timeout) {
    return static_cast<Mailbox*>(target)->take(timeout);
}

void discardNotifications(NotifyTarget target) {
    static_cast<Mailbox*>(target)->discardAll();
}

bool waitForRoom(NotifyTarget target, uint32_t milliseconds) {
    return static_cast<Mailbox*>(target)->waitForRoom(std::chrono::milliseconds(milliseconds));
}

uint32_t tickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace platform

NotificationInbox::NotificationInbox() : target_(&mailbox_) {}

NotificationInbox::~NotificationInbox() = default;

}  // namespace scramblo
