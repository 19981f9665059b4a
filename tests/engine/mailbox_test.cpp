// The portable notification target; Windows builds post to a window instead.
#ifndef _WIN32
#include "mailbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace scramblo {
namespace {

using namespace std::chrono_literals;

TEST(Mailbox, TakeAllMovesEveryWaitingNotificationInOrder) {
    Mailbox mailbox;
    std::deque<Notification> batch{{1, 1, 1}};
    EXPECT_FALSE(mailbox.takeAll(batch, 0ms));
    EXPECT_TRUE(batch.empty());
    for (uintptr_t value = 1; value <= 3; ++value) EXPECT_EQ(mailbox.put({7, 4, value}), platform::PostResult::Posted);
    ASSERT_TRUE(mailbox.takeAll(batch, 0ms));
    ASSERT_EQ(batch.size(), 3u);
    for (uintptr_t value = 1; value <= 3; ++value) EXPECT_EQ(batch[value - 1].value, value);
    EXPECT_FALSE(mailbox.take(0ms));
}

TEST(Mailbox, AWaitingTakerGetsAPostLongBeforeItsTimeout) {
    // A taker that missed the posts would wait out its whole minute.
    for (uintptr_t posts : {1, 300}) {
        for (bool all : {false, true}) {
            Mailbox mailbox;
            auto start = std::chrono::steady_clock::now();
            std::thread poster([&] {
                std::this_thread::sleep_for(20ms);
                for (uintptr_t value = 1; value <= posts; ++value) mailbox.put({7, 7, value});
            });
            std::deque<Notification> batch;
            bool taken = all ? mailbox.takeAll(batch, 60s) : mailbox.take(60s).has_value();
            poster.join();
            EXPECT_TRUE(taken);
            EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
        }
    }
}

}  // namespace
}  // namespace scramblo
#endif
