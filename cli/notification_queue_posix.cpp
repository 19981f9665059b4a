#include "notification_queue.h"

namespace scramblo::cli {

NotificationQueue::NotificationQueue() = default;

NotificationQueue::~NotificationQueue() = default;

NotifyTarget NotificationQueue::target() {
    return &mailbox_;
}

std::optional<Notification> NotificationQueue::next(std::chrono::milliseconds timeout) {
    // Everything waiting is taken under one lock, so a busy worker and this
    // thread do not meet at the mailbox's lock for every anagram.
    if (batch_.empty() && !mailbox_.takeAll(batch_, timeout)) return std::nullopt;
    Notification front = batch_.front();
    batch_.pop_front();
    return front;
}

}  // namespace scramblo::cli
