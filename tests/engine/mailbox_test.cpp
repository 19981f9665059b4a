// The portable notification target; Windows builds post to a window instead.
#ifndef _WIN32
#include "mailbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace scramblo {
namespace {

using namespace std::chrono_literals;

TEST(Mailbox, HandsOutEveryNotificationInOrderAndFreesWhatItDiscards) {
    Mailbox mailbox;
    EXPECT_FALSE(mailbox.take(0ms));
    for (uintptr_t value = 1; value <= 3; ++value) {
        EXPECT_EQ(mailbox.put(LoadProgress, value), platform::PostResult::Posted);
    }
    EXPECT_EQ(mailbox.take(0ms)->value, 1u);
    // Posted while the others wait to be handed out: still behind them.
    mailbox.put(AnagramFound, reinterpret_cast<uintptr_t>(newAnagramText("les tin")));
    EXPECT_EQ(mailbox.take(0ms)->value, 2u);
    EXPECT_EQ(mailbox.take(0ms)->value, 3u);
    std::optional<Notification> anagram = mailbox.take(0ms);
    ASSERT_TRUE(anagram);
    EXPECT_STREQ(anagram->text.get(), "les tin");
    EXPECT_FALSE(mailbox.take(0ms));
    // LeakSanitizer checks that the texts still queued are freed.
    mailbox.put(AnagramFound, reinterpret_cast<uintptr_t>(newAnagramText("sel tin")));
    mailbox.put(AnagramFound, reinterpret_cast<uintptr_t>(newAnagramText("nil set")));
    mailbox.take(0ms);
}

TEST(Mailbox, AWaitingTakerGetsAPostLongBeforeItsTimeout) {
    // A taker that missed the posts would wait out its whole minute.
    for (uintptr_t posts : {1, 300}) {
        Mailbox mailbox;
        auto start = std::chrono::steady_clock::now();
        std::thread poster([&] {
            std::this_thread::sleep_for(20ms);
            for (uintptr_t value = 1; value <= posts; ++value) mailbox.put(SearchProgress, value);
        });
        bool taken = mailbox.take(60s).has_value();
        poster.join();
        EXPECT_TRUE(taken);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    }
}

}  // namespace
}  // namespace scramblo
#endif
