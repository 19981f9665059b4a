// Back-pressure in the Win32 seam: notifications in flight to a window are
// bounded, so a worker that finds anagrams faster than the window takes them
// waits instead of filling the window's queue without end. (The window's side
// is tested with the main window.)
#include "platform/platform_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "notification_sink.h"

namespace scramblo {
namespace {

using namespace std::chrono_literals;
using testing::NotificationSink;

// Load progress 0, 1, 2, ... until the window's bound is reached.
void fillToTheBound(HWND window) {
    for (uintptr_t i = 0; i < platform::kNotificationsInFlight; ++i) {
        ASSERT_EQ(platform::postNotification(window, kNotificationMessage, LoadProgress, i),
                  platform::PostResult::Posted);
    }
}

TEST(PlatformWin32, AWindowHasABoundedNumberOfNotificationsInFlight) {
    NotificationSink sink;
    auto window = static_cast<HWND>(sink.target());
    auto post = [&](uintptr_t value) {
        return platform::postNotification(window, kNotificationMessage, LoadProgress, value) ==
               platform::PostResult::Posted;
    };
    const uintptr_t bound = platform::kNotificationsInFlight;
    for (uintptr_t i = 0; i < bound; ++i) ASSERT_TRUE(post(i));
    EXPECT_FALSE(post(99999));
    EXPECT_EQ(platform::notificationsInFlight(window), bound);

    // Taking one from the queue makes room for one more, and the order holds.
    EXPECT_EQ(sink.next(0ms)->value, 0u);
    EXPECT_TRUE(post(bound));
    EXPECT_FALSE(post(99999));
    for (uintptr_t i = 1; i <= bound; ++i) ASSERT_EQ(sink.next(0ms)->value, i);
    EXPECT_FALSE(sink.next(0ms));
    EXPECT_EQ(platform::notificationsInFlight(window), 0u);
}

TEST(PlatformWin32, AWorkerWaitingForRoomWakesOnceTheWindowHasTakenHalf) {
    NotificationSink sink;
    auto window = static_cast<HWND>(sink.target());
    const uintptr_t bound = platform::kNotificationsInFlight;
    ASSERT_NO_FATAL_FAILURE(fillToTheBound(window));
    std::atomic<bool> woken{false};
    std::thread worker([&] {
        platform::waitForRoom(window, 60000);
        woken = true;
    });
    for (uintptr_t i = 1; i < bound / 2; ++i) ASSERT_TRUE(sink.next(0ms));
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(woken);
    ASSERT_TRUE(sink.next(0ms));
    auto start = std::chrono::steady_clock::now();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    EXPECT_TRUE(woken);
}

TEST(PlatformWin32, AWindowThatCoalescesProgressHasOneTickOnItsWay) {
    NotificationSink sink;
    auto window = static_cast<HWND>(sink.target());
    platform::coalesceProgress(window);
    auto post = [&](uintptr_t code, uintptr_t value) {
        return platform::postNotification(window, kNotificationMessage, code, value);
    };
    for (uintptr_t tick = 1; tick <= 3; ++tick)
        EXPECT_EQ(post(SearchProgress, tick), platform::PostResult::Posted);
    post(LoadProgress, 1000);
    post(SearchProgress, 4);
    EXPECT_EQ(sink.next(0ms)->value, 1u);
    post(SearchProgress, 5);
    post(SearchProgress, 6);
    EXPECT_EQ(sink.next(0ms)->value, 1000u);
    EXPECT_EQ(sink.next(0ms)->value, 5u);
    EXPECT_FALSE(sink.next(0ms));
    EXPECT_EQ(platform::notificationsInFlight(window), 0u);
}

TEST(PlatformWin32, AJobsEndNotificationPassesAFullWindow) {
    // The window may be waiting for the worker to end, taking nothing meanwhile.
    NotificationSink sink;
    auto window = static_cast<HWND>(sink.target());
    const uintptr_t bound = platform::kNotificationsInFlight;
    ASSERT_NO_FATAL_FAILURE(fillToTheBound(window));
    EXPECT_EQ(platform::postNotification(window, kNotificationMessage, SearchProgress, 1),
              platform::PostResult::Refused);
    EXPECT_EQ(platform::postNotification(window, kNotificationMessage, SearchStopped, 5),
              platform::PostResult::Posted);
    for (uintptr_t i = 0; i < bound; ++i) ASSERT_EQ(sink.next(0ms)->value, i);
    EXPECT_EQ(sink.next(0ms)->code, SearchStopped);
    EXPECT_EQ(platform::notificationsInFlight(window), 0u);
}

}  // namespace
}  // namespace scramblo
