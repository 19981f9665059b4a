// A notification target for engine tests: the engine's own inbox (a Mailbox
// natively, a real hidden window under Windows), with what it receives copied
// into plain values.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "jobs/notification_inbox.h"

namespace scramblo::testing {

// One notification as received; an anagram's text is copied and released.
struct Received {
    uintptr_t code;
    uintptr_t value;  // 0 for AnagramFound, whose text is in `text`
    std::string text;
    uint32_t score = 0;  // AnagramFound only; not compared

    bool operator==(const Received& other) const {
        return code == other.code && value == other.value && text == other.text;
    }
};

class NotificationSink {
  public:
    // Natively, counts the posts tried (see Mailbox::countAttempts).
    NotificationSink();

    NotifyTarget target() const { return inbox_.target(); }
    NotificationInbox& inbox() { return inbox_; }

    std::optional<Received> next(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Everything up to and including the job's end notification.
    std::vector<Received> untilJobEnds();

    // Natively, makes the next `count` posts fail as a full window queue does.
    void refuseNext(uint32_t count);

  private:
    NotificationInbox inbox_;
};

Received received(const Notification& notification);

// Runs one job of `finder` to its end, taking its notifications while it runs,
// and answers them all.
std::vector<Received> runJobAndCollect(Finder& finder, JobKind kind, const std::string& text,
                                       NotificationSink& sink,
                                       const SearchSettings& settings = SearchSettings());

}  // namespace scramblo::testing
