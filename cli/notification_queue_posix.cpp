#include "notification_queue.h"

namespace scramblo::cli {

NotificationQueue::NotificationQueue() = default;

NotificationQueue::~NotificationQueue() = default;

NotifyTarget NotificationQueue::target() {
    return &mailbox_;
}

std::optional<Notification> NotificationQueue::next(std::chrono::milliseconds timeout) {
    return mailbox_.take(timeout);
}

}  // namespace scramblo::cli
