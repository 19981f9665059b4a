#include "platform/mailbox.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace scramblo {
namespace {

// Waking a waiting taker costs a system call, far more than taking one
// notification. So a taker that finds nothing first naps this long, woken
// only by a job's end: a busy poster fills the queue meanwhile for nothing,
// only a slow one ever has to wake the taker, and a job's last notification
// is taken at once.
constexpr std::chrono::microseconds kNap{100};

}  // namespace

Mailbox::Mailbox() : places_(kPlaces) {}

std::optional<platform::PostResult> Mailbox::injectedFault() {
    using platform::PostResult;
    attempts_.fetch_add(1, std::memory_order_relaxed);
    if (closed_) return PostResult::TargetGone;
    uint32_t refusals = refusals_.load();
    while (refusals != 0) {
        if (refusals == std::numeric_limits<uint32_t>::max()) return PostResult::Refused;
        if (refusals_.compare_exchange_weak(refusals, refusals - 1)) return PostResult::Refused;
    }
    return std::nullopt;
}

platform::PostResult Mailbox::store(uintptr_t code, uintptr_t value) {
    using platform::PostResult;
    const size_t end = end_.load(std::memory_order_relaxed);
    if (end - knownBegin_ >= kCapacity) {
        knownBegin_ = begin_.load(std::memory_order_acquire);
        refusedForRoom_ = !endsJob(code) && end - knownBegin_ >= kCapacity;
        if (refusedForRoom_) return PostResult::Refused;
    }
    places_[end % kPlaces] = Posted(code, value);
    end_.store(end + 1, std::memory_order_seq_cst);
    if (endsJob(code) && takerNapping_.load(std::memory_order_seq_cst)) {
        std::lock_guard<std::mutex> lock(mutex_);
        arrived_.notify_all();
    } else if (anyoneWaiting_.load(std::memory_order_seq_cst)) {
        wake(arrived_, takerWaiting_);
    }
    return PostResult::Posted;
}

std::optional<Notification> Mailbox::take(std::chrono::milliseconds timeout) {
    const size_t begin = begin_.load(std::memory_order_relaxed);
    if (begin == knownEnd_) {
        knownEnd_ = end_.load(std::memory_order_acquire);
        if (begin == knownEnd_) {
            if (timeout.count() == 0) return std::nullopt;
            nap(std::min<std::chrono::microseconds>(kNap, timeout));
            if (!wait(arrived_, takerWaiting_, timeout, &Mailbox::anyQueued)) return std::nullopt;
            knownEnd_ = end_.load(std::memory_order_acquire);
        }
    }
    Posted front = places_[begin % kPlaces];
    begin_.store(begin + 1, std::memory_order_seq_cst);
    if (anyoneWaiting_.load(std::memory_order_seq_cst)) wake(room_, posterWaiting_);
    return Notification(front.code, front.value);
}

bool Mailbox::wait(std::condition_variable& signal, bool& waiting,
                   std::chrono::milliseconds timeout, bool (Mailbox::*done)() const) {
    std::unique_lock<std::mutex> lock(mutex_);
    waiting = true;
    anyoneWaiting_.store(true, std::memory_order_seq_cst);
    bool met = signal.wait_for(lock, timeout, [&] { return (this->*done)(); });
    waiting = false;
    anyoneWaiting_.store(takerWaiting_ || posterWaiting_, std::memory_order_seq_cst);
    return met;
}

void Mailbox::nap(std::chrono::microseconds length) {
    std::unique_lock<std::mutex> lock(mutex_);
    // The poster looks at this after it moved its end: either it sees the
    // nap, or the nap sees what it posted.
    takerNapping_.store(true, std::memory_order_seq_cst);
    arrived_.wait_for(lock, length, [this] { return anyQueued(); });
    takerNapping_.store(false, std::memory_order_relaxed);
}

void Mailbox::wake(std::condition_variable& signal, bool& waiting) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (waiting) signal.notify_all();
}

bool Mailbox::waitForRoom(std::chrono::milliseconds timeout) {
    if (!refusedForRoom_) {
        // Told to refuse: nothing says when that ends.
        std::this_thread::sleep_for(timeout);
        return false;
    }
    return wait(room_, posterWaiting_, timeout, &Mailbox::roomAgain);
}

void Mailbox::discardAll() {
    while (take(std::chrono::milliseconds(0))) {
    }
}

}  // namespace scramblo
