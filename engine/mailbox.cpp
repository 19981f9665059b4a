#include "mailbox.h"

#include <limits>

namespace scramblo {

platform::PostResult Mailbox::put(const Notification& notification) {
    using platform::PostResult;
    ++attempts_;
    if (closed_) return PostResult::TargetGone;
    uint32_t refusals = refusals_.load();
    while (refusals != 0) {
        if (refusals == std::numeric_limits<uint32_t>::max()) return PostResult::Refused;
        if (refusals_.compare_exchange_weak(refusals, refusals - 1)) return PostResult::Refused;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(notification);
    }
    arrived_.notify_one();
    return PostResult::Posted;
}

std::optional<Notification> Mailbox::take(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [this] { return !queue_.empty(); })) return std::nullopt;
    Notification front = queue_.front();
    queue_.pop_front();
    return front;
}

}  // namespace scramblo
