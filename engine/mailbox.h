// The notification target of portable builds: a thread-safe queue that keeps
// every notification in the order posted, for one receiving thread. It holds
// at most kCapacity notifications on their way: a further post is refused, as
// a full window queue refuses it, until the receiver has taken half of them
// (a job's end notification is never refused for that). A slow receiver thus
// holds back the worker instead of a whole search piling up in memory. It can
// also be told to refuse posts, so that the engine's retry rules can be
// exercised.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "notification.h"
#include "platform.h"

namespace scramblo {

class Mailbox {
  public:
    static constexpr size_t kCapacity = 65536;

    Mailbox() = default;
    // Frees what the notifications still queued carry.
    ~Mailbox() { discardAll(); }
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;

    // Stores nothing while posts are being refused or once the mailbox is closed.
    platform::PostResult put(uintptr_t code, uintptr_t value);

    // Waits up to the timeout for the oldest notification and hands it over.
    std::optional<Notification> take(std::chrono::milliseconds timeout);

    void discardAll();

    // After a refused post: waits until the receiver has taken half of what
    // is on its way, or for the timeout.
    void waitForRoom(std::chrono::milliseconds timeout);

    // Refuses the next `count` posts; UINT32_MAX refuses until told otherwise.
    void refuseNext(uint32_t count) { refusals_ = count; }
    // From now on every post finds its target gone, as for a destroyed window.
    void close() { closed_ = true; }
    uint32_t attempts() const { return attempts_; }

  private:
    struct Posted {
        uintptr_t code;
        uintptr_t value;
    };

    bool waitForAny(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout);

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable room_;
    std::atomic<size_t> onTheirWay_{0};  // posted and not yet taken
    bool refusedForRoom_ = false;        // the poster's own: why its last post was refused
    std::deque<Posted> queue_;
    int waiting_ = 0;  // takers blocked until a post wakes them
    // Everything queued is moved here under one lock and handed out from
    // here, so that a busy poster and the taker do not meet at the lock for
    // every notification. Only the receiving thread touches it.
    std::deque<Posted> taken_;
    std::atomic<uint32_t> refusals_{0};
    std::atomic<uint32_t> attempts_{0};
    std::atomic<bool> closed_{false};
};

}  // namespace scramblo
