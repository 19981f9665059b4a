// Back-pressure in the Win32 seam: notifications in flight to a window are
// bounded, so a worker that finds anagrams faster than the window takes them
// waits instead of filling the window's queue without end.
#include "platform_win32.h"

#include <gtest/gtest.h>

#include <thread>

#include "finder.h"
#include "flood_lexicon.h"
#include "notification_sink.h"

namespace scramblo {
namespace {

using namespace std::chrono_literals;
using testing::NotificationSink;
using testing::runJobAndCollect;
using testing::TempFile;

TEST(PlatformWin32, AWindowHasABoundedNumberOfNotificationsInFlight) {
    NotificationSink sink;
    auto window = static_cast<HWND>(sink.target());
    auto post = [&](uintptr_t value) {
        return platform::postNotification(window, kNotificationMessage, LoadProgress, value);
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

TEST(PlatformWin32, AFloodingSearchWaitsForTheWindowAndEndsOnAStopRequest) {
    testing::FloodLexicon flood = testing::floodLexicon({8, 8, 8, 8, 8});
    TempFile lexicon(flood.words);
    NotificationSink sink;
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, lexicon.path(), sink);
    finder.jobKind = Search;
    finder.jobText = flood.phrase;
    std::thread worker(workerMain, &finder);

    // Nobody takes the notifications: the queue fills up to the bound and stays there.
    auto window = static_cast<HWND>(sink.target());
    const uint32_t bound = platform::kNotificationsInFlight;
    for (int i = 0; i < 500 && platform::notificationsInFlight(window) < bound; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(platform::notificationsInFlight(window), bound);

    finder.setStop(true);
    worker.join();  // the refused post is given up once the flag is raised
    size_t received = 0;
    while (auto notification = sink.next(0ms)) {
        ++received;
        EXPECT_FALSE(endsJob(notification->code));  // the end found no room either
    }
    EXPECT_EQ(received, bound);
    EXPECT_EQ(platform::notificationsInFlight(window), 0u);
}

}  // namespace
}  // namespace scramblo
