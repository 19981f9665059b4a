#include "mailbox.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace scramblo {
namespace {

// Waking a waiting taker costs a system call, far more than taking one
// notification. So a taker that finds nothing first naps this long without
// being woken: a busy poster fills the queue meanwhile for nothing, and only
// a slow one ever has to wake the taker.
constexpr std::chrono::microseconds kNap{100};

}  // namespace

platform::PostResult Mailbox::put(const Notification& notification) {
    using platform::PostResult;
    ++attempts_;
    if (closed_) return PostResult::TargetGone;
    uint32_t refusals = refusals_.load();
    while (refusals != 0) {
        if (refusals == std::numeric_limits<uint32_t>::max()) return PostResult::Refused;
        if (refusals_.compare_exchange_weak(refusals, refusals - 1)) return PostResult::Refused;
    }
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(notification);
        wake = waiting_ != 0;
    }
    if (wake) arrived_.notify_one();
    return PostResult::Posted;
}

bool Mailbox::waitForAny(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout) {
    if (!queue_.empty() || timeout.count() == 0) return !queue_.empty();
    auto deadline = std::chrono::steady_clock::now() + timeout;
    lock.unlock();
    std::this_thread::sleep_for(std::min<std::chrono::microseconds>(kNap, timeout));
    lock.lock();
    ++waiting_;
    bool any = arrived_.wait_until(lock, deadline, [this] { return !queue_.empty(); });
    --waiting_;
    return any;
}

std::optional<Notification> Mailbox::take(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!waitForAny(lock, timeout)) return std::nullopt;
    Notification front = queue_.front();
    queue_.pop_front();
    return front;
}

bool Mailbox::takeAll(std::deque<Notification>& batch, std::chrono::milliseconds timeout) {
    batch.clear();
    std::unique_lock<std::mutex> lock(mutex_);
    if (!waitForAny(lock, timeout)) return false;
    batch.swap(queue_);
    return true;
}

}  // namespace scramblo
