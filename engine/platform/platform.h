// The engine's only ways out into the world: posting a notification to the
// owner's window, waiting for room to post again, a millisecond clock, memory
// for large tables, and the folder of the running program.
// The Win32 build posts with PostMessageA; the portable build delivers to a
// Mailbox. (The receiving side is in notification_inbox.h.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// `bytes` of zeroed memory, backed by the system only where they are touched,
// in large pages where it offers them: a table of some megabytes filled at
// random then costs a page fault per 2 MB instead of one per 4 KB. Null when
// there is no such room. Given back with releaseMemory.
void* reserveMemory(size_t bytes);
void releaseMemory(void* memory, size_t bytes);

// The folder that holds the running program, as a UTF-8 path; empty when the
// system does not tell.
std::string programFolder();

}  // namespace platform
}  // namespace scramblo
