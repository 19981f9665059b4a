// The Win32 side of the platform seam: back-pressure on notifications.
//
// Each notification is counted against its target window from its post until
// its receiver takes it from the queue (see notification_inbox.h). While
// kNotificationsInFlight notifications to a window are in flight, a further
// post to it fails as a full queue does, and the finder retries it once the
// window has taken half of them, or after 100 ms (or gives it up once the
// stop flag is raised).
//
// Windows itself fails a post at 10,000 queued messages; Wine sets no limit,
// and a long queue of notifications, retrieved before any input, would starve
// the window's keys and mouse and hold every anagram found ahead of the
// window in memory. The bound is lower than Windows' own: after a stop
// request the window still takes every queued notification one by one before
// the search's end, and 4,000 of them take a fraction of a second even on a
// busy machine, yet the 2,000 left when the worker starts again outlast its
// waking, so the window never runs dry during a flood.
//
// A job's end notification is never held back by the bound: the window may be
// waiting for the worker to end, taking nothing from its queue meanwhile, and
// the worker posts nothing after it.
//
// While the user moves or sizes a window, the system's own loop takes every
// posted message before the mouse, and the drag would wait for the end of a
// flood: the window then asks for a bound of a few notifications, so that its
// queue runs dry between them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "jobs/notification.h"

namespace scramblo::platform {

constexpr uint32_t kNotificationsInFlight = 4000;
constexpr uint32_t kNotificationsInFlightWhileDragged = 64;

// The bound for notifications to the window from now on; kNotificationsInFlight
// until it is set.
void boundNotificationsInFlight(HWND target, uint32_t bound);

// From now on at most one search progress notification is on its way to the
// window: a tick posted while the one before it still waits in the queue is
// left out, and the window learns the count from the next tick it takes. For
// a window that shows only the latest progress anyway. A search posts a tick
// per so many entries tried, and on a large lexicon that can be one for every
// few anagrams: a message each that the window would take for nothing.
void coalesceProgress(HWND target);

// A notification that the window's own message loop took from its queue and
// handed to it. A window takes every notification through here (or through
// takeNotification or discardNotifications), whether it handles it or not.
Notification receive(HWND target, WPARAM code, LPARAM value);

// Notifications posted to the window and not yet taken.
uint32_t notificationsInFlight(HWND target);

}  // namespace scramblo::platform
