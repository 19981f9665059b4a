// The notification target of portable builds: a queue that keeps every
// notification in the order posted, from one posting thread (the worker of
// the job under way) to one receiving thread. It holds at most kCapacity
// notifications on their way: a further post is refused, as a full window
// queue refuses it, until the receiver has taken half of them (a job's end
// notification is never refused for that). A slow receiver thus holds back
// the worker instead of a whole search piling up in memory. For tests it can
// also count the posts tried and refuse them, so that the engine's retry
// rules can be exercised.
//
// A ring whose two ends each thread keeps to itself: the poster writes a
// place and then moves the end it owns, the receiver reads a place and then
// moves its own. Neither waits for a lock, and they share a cache line only
// when one looks at the other's end, which each does when its own view of it
// has run out: a flood of anagrams passes with next to no traffic between
// the cores.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "jobs/notification.h"
#include "platform/platform.h"

namespace scramblo {

class Mailbox {
  public:
    static constexpr size_t kCapacity = 65536;

    Mailbox();
    // Frees what the notifications still queued carry.
    ~Mailbox() { discardAll(); }
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;

    // Stores nothing while posts are being refused or once the mailbox is closed.
    platform::PostResult put(uintptr_t code, uintptr_t value) {
        refusedForRoom_ = false;
        if (testing_.load(std::memory_order_relaxed)) {
            if (std::optional<platform::PostResult> fault = injectedFault()) return *fault;
        }
        return store(code, value);
    }

    // Waits up to the timeout for the oldest notification and hands it over.
    std::optional<Notification> take(std::chrono::milliseconds timeout);

    void discardAll();

    // After a refused post: waits until the receiver has taken half of what
    // is on its way, or for the timeout. Answers whether room was made.
    bool waitForRoom(std::chrono::milliseconds timeout);

    // Test hooks, off the hot path: a post looks at one flag for them until
    // one of these is called.
    // Counts the posts tried from now on.
    void countAttempts() { testing_ = true; }
    uint32_t attempts() const { return attempts_.load(std::memory_order_relaxed); }
    // Refuses the next `count` posts; UINT32_MAX refuses until told otherwise.
    void refuseNext(uint32_t count) {
        refusals_ = count;
        testing_ = true;
    }
    // From now on every post finds its target gone, as for a destroyed window.
    void close() {
        closed_ = true;
        testing_ = true;
    }

  private:
    struct Posted {
        // Left unset, so that the ring's pages are only touched, and only
        // cost the system a page fault each, once notifications reach them.
        Posted() {}
        Posted(uintptr_t code, uintptr_t value) : code(code), value(value) {}
        uintptr_t code;
        uintptr_t value;
    };
    // Room for the capacity and every job's end notification beyond it.
    static constexpr size_t kPlaces = 2 * kCapacity;
    static constexpr size_t kRoomAgain = kCapacity / 2;
    static constexpr size_t kCacheLine = 64;

    platform::PostResult store(uintptr_t code, uintptr_t value);
    // What the test calls above make of a post, if anything.
    std::optional<platform::PostResult> injectedFault();
    bool wait(std::condition_variable& signal, bool& waiting, std::chrono::milliseconds timeout,
              bool (Mailbox::*done)() const);
    void nap(std::chrono::microseconds length);
    bool anyQueued() const { return end_.load() != begin_.load(); }
    bool roomAgain() const { return end_.load() - begin_.load() <= kRoomAgain; }
    void wake(std::condition_variable& signal, bool& waiting);

    std::vector<Posted> places_;
    // The poster's end: where the next notification goes.
    alignas(kCacheLine) std::atomic<size_t> end_{0};
    size_t knownBegin_ = 0;        // the poster's view of begin_, at most begin_
    bool refusedForRoom_ = false;  // why the poster's last post was refused
    // The receiver's end: the oldest notification still on its way.
    alignas(kCacheLine) std::atomic<size_t> begin_{0};
    size_t knownEnd_ = 0;  // the receiver's view of end_, at most end_
    // Waiting, when there is nothing to take or no room to post. A thread
    // sets its flag under the lock and looks at the ends again before it
    // waits; the other looks at the flag after it moved its end.
    alignas(kCacheLine) std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable room_;
    bool takerWaiting_ = false;
    bool posterWaiting_ = false;
    std::atomic<bool> anyoneWaiting_{false};
    std::atomic<bool> takerNapping_{false};  // woken by a job's end only
    // For tests.
    std::atomic<bool> testing_{false};
    std::atomic<uint32_t> attempts_{0};
    std::atomic<uint32_t> refusals_{0};
    std::atomic<bool> closed_{false};
};

}  // namespace scramblo
