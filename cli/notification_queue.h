// Where the engine's worker posts its notifications and the main thread takes
// them out, in the order posted: a Mailbox natively, a message-only window on
// Windows (created on, and read by, the thread that constructs the queue).
#pragma once

#include <chrono>
#include <deque>
#include <optional>

#include "mailbox.h"
#include "platform.h"

namespace scramblo::cli {

class NotificationQueue {
  public:
    NotificationQueue();
    ~NotificationQueue();
    NotificationQueue(const NotificationQueue&) = delete;
    NotificationQueue& operator=(const NotificationQueue&) = delete;

    NotifyTarget target();

    // Waits up to the timeout for the next notification.
    std::optional<Notification> next(std::chrono::milliseconds timeout);

  private:
#ifdef _WIN32
    void* window_;  // HWND
#else
    Mailbox mailbox_;
    std::deque<Notification> batch_;  // taken from the mailbox, not yet handed out
#endif
};

}  // namespace scramblo::cli
