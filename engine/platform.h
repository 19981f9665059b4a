// The engine's only ways out into the world: posting a notification to the
// owner's window, waiting for room to post again, and a millisecond clock.
// The Win32 build posts with PostMessageA; the portable build delivers to a
// Mailbox. (The receiving side is in notification_inbox.h.)
#pragma once

#include <cstdint>

namespace scramblo {

// A window handle (HWND) on Windows, a Mailbox* elsewhere.
using NotifyTarget = void*;

namespace platform {

enum class PostResult {
    Posted,
    Refused,     // the target's queue is full for now
    TargetGone,  // the window no longer exists: no later attempt can succeed
};

// Queues one notification for the target without waiting for it to be handled.
PostResult postNotification(NotifyTarget target, uint32_t message, uintptr_t code, uintptr_t value);

// After a refused post: waits until the target's receiver has taken enough of
// its queue to make room again, and at most `milliseconds`. Answers whether
// room was made.
bool waitForRoom(NotifyTarget target, uint32_t milliseconds);

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t tickCount();

}  // namespace platform
}  // namespace scramblo
