// The receiving side of the hand-over. A notification taken from a target's
// queue is taken through here, in the same call that gives back its place in
// the target's bound (see platform_win32.h) and hands the receiver the anagram
// text it carries, so that no receiver can forget either. What a receiver
// discards is freed here as well.
#pragma once

#include <chrono>
#include <optional>

#include "jobs/notification.h"
#include "platform/platform.h"

#ifndef _WIN32
#include "platform/mailbox.h"
#endif

namespace scramblo {
namespace platform {

// Takes the oldest notification queued for the target, waiting up to the
// timeout. Called on the target's own thread.
std::optional<Notification> takeNotification(NotifyTarget target,
                                             std::chrono::milliseconds timeout);

// Takes every notification queued for the target and frees what they carry.
// Called on the target's own thread, when no worker posts to it any more.
void discardNotifications(NotifyTarget target);

}  // namespace platform

// A target of its own for a receiver without a window: a message-only window
// of the thread that makes it on Windows (that thread receives), a Mailbox
// elsewhere. What is still queued when it goes is discarded.
class NotificationInbox {
  public:
    NotificationInbox();
    ~NotificationInbox();
    NotificationInbox(const NotificationInbox&) = delete;
    NotificationInbox& operator=(const NotificationInbox&) = delete;

    NotifyTarget target() const { return target_; }

    std::optional<Notification> next(std::chrono::milliseconds timeout) {
        return platform::takeNotification(target_, timeout);
    }

  private:
#ifndef _WIN32
    Mailbox mailbox_;
#endif
    NotifyTarget target_;
};

}  // namespace scramblo
