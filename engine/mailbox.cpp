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

// A worker woken for every single place taken would take turns with its
// receiver at every notification.
constexpr size_t kRoomAgain = Mailbox::kCapacity / 2;

}  // namespace

platform::PostResult Mailbox::put(uintptr_t code, uintptr_t value) {
    using platform::PostResult;
    ++attempts_;
    refusedForRoom_ = false;
    if (closed_) return PostResult::TargetGone;
    uint32_t refusals = refusals_.load();
    while (refusals != 0) {
        if (refusals == std::numeric_limits<uint32_t>::max()) return PostResult::Refused;
        if (refusals_.compare_exchange_weak(refusals, refusals - 1)) return PostResult::Refused;
    }
    refusedForRoom_ = !endsJob(code) && onTheirWay_.load() >= kCapacity;
    if (refusedForRoom_) return PostResult::Refused;
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++onTheirWay_;
        queue_.push_back({code, value});
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
    if (taken_.empty()) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!waitForAny(lock, timeout)) return std::nullopt;
        taken_.swap(queue_);
    }
    Posted front = taken_.front();
    taken_.pop_front();
    if (--onTheirWay_ == kRoomAgain) {
        // Under the lock, so that a worker between its look and its wait hears it.
        std::lock_guard<std::mutex> lock(mutex_);
        room_.notify_all();
    }
    return Notification(front.code, front.value);
}

void Mailbox::waitForRoom(std::chrono::milliseconds timeout) {
    if (!refusedForRoom_) {
        // Told to refuse: nothing says when that ends.
        std::this_thread::sleep_for(timeout);
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait_for(lock, timeout, [this] { return onTheirWay_.load() <= kRoomAgain; });
}

void Mailbox::discardAll() {
    while (take(std::chrono::milliseconds(0))) {
    }
}

}  // namespace scramblo
