// The portable notification target; Windows builds post to a window instead.
#ifndef _WIN32
#include "platform/mailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "jobs/anagram_text_writer.h"

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

TEST(Mailbox, RefusesAtItsCapacityUntilTheReceiverHasTakenHalf) {
    using platform::PostResult;
    Mailbox mailbox;
    for (uintptr_t value = 0; value < Mailbox::kCapacity; ++value)
        ASSERT_EQ(mailbox.put(SearchProgress, value), PostResult::Posted);
    EXPECT_EQ(mailbox.put(SearchProgress, 0), PostResult::Refused);
    // A job's end is never held back: its owner may be waiting for nothing else.
    EXPECT_EQ(mailbox.put(SearchDone, 0), PostResult::Posted);

    // A poster waiting for room hears of it once half is taken, long before its timeout,
    // and not before: the taker stops just short of half first.
    std::atomic<bool> half{false};
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(mailbox.put(SearchProgress, 0), PostResult::Refused);
    std::thread receiver([&] {
        for (size_t taken = 0; taken < Mailbox::kCapacity / 2; ++taken) mailbox.take(0ms);
        std::this_thread::sleep_for(50ms);
        half = true;
        mailbox.take(0ms);
        mailbox.take(0ms);
    });
    mailbox.waitForRoom(60s);
    EXPECT_TRUE(half);
    receiver.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    EXPECT_EQ(mailbox.put(SearchProgress, 1), PostResult::Posted);
}

TEST(Mailbox, AnagramTextsAndScoresLiveUntilEachIsReleasedOnAnyThread) {
    // The worker's texts share chunks; the receiver releases them in its own
    // order, while the worker goes on writing. The sanitizer builds check
    // that no chunk is freed early or kept.
    Mailbox mailbox;
    constexpr int kTexts = 20000;
    std::thread worker([&] {
        AnagramTextWriter texts;
        for (int text = 0; text < kTexts; ++text) {
            std::string word = std::to_string(text);
            const char* written = texts.write(word + " ", word, static_cast<uint32_t>(text));
            while (mailbox.put(AnagramFound, reinterpret_cast<uintptr_t>(written)) !=
                   platform::PostResult::Posted)
                mailbox.waitForRoom(100ms);
        }
    });
    std::vector<std::pair<Notification, std::string>> held;  // with the text each should hold
    std::mt19937 random(3);
    for (int text = 0; text < kTexts; ++text) {
        std::optional<Notification> taken = mailbox.take(60s);
        ASSERT_TRUE(taken);
        std::string word = std::to_string(text);
        EXPECT_EQ(taken->score(), static_cast<uint32_t>(text));
        held.emplace_back(std::move(*taken), word + " " + word);
        if (random() % 3 == 0) {  // release a few, in no order
            std::swap(held[random() % held.size()], held.back());
            held.pop_back();
        }
    }
    worker.join();
    // The writer is gone; what is still held is intact.
    for (const auto& [notification, text] : held)
        EXPECT_STREQ(notification.text.get(), text.c_str());
}

}  // namespace
}  // namespace scramblo
#endif
