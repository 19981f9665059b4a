// The notification target of portable builds: a thread-safe queue that keeps
// every notification in the order posted. It can be told to refuse posts, the
// way a full window queue does, so the engine's retry rules can be exercised.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "platform.h"

namespace scramblo {

struct Notification {
    uint32_t message;
    uintptr_t code;
    uintptr_t value;
};

class Mailbox {
  public:
    // Stores nothing while posts are being refused or once the mailbox is closed.
    platform::PostResult put(const Notification& notification);

    // Waits up to the timeout for the oldest notification and removes it.
    std::optional<Notification> take(std::chrono::milliseconds timeout);

    // Waits up to the timeout for a notification, then moves every waiting
    // one into `batch` (oldest first) at once. Answers false when none came.
    bool takeAll(std::deque<Notification>& batch, std::chrono::milliseconds timeout);

    // Refuses the next `count` posts; UINT32_MAX refuses until told otherwise.
    void refuseNext(uint32_t count) { refusals_ = count; }
    // From now on every post finds its target gone, as for a destroyed window.
    void close() { closed_ = true; }
    uint32_t attempts() const { return attempts_; }

  private:
    bool waitForAny(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout);

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Notification> queue_;
    int waiting_ = 0;  // takers blocked until a post wakes them
    std::atomic<uint32_t> refusals_{0};
    std::atomic<uint32_t> attempts_{0};
    std::atomic<bool> closed_{false};
};

}  // namespace scramblo
