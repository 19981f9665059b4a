// Thousands of jobs under fire: random settings, stop requests from the
// owner's thread at random moments, and (natively) posts that fail at random. Every job must still
// post its notifications in protocol order and end with exactly one end notification, with nothing
// after it. The sanitizer builds check for leaks and races meanwhile.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "jobs/finder.h"
#include "jobs/job_driver.h"
#include "notification_sink.h"
#include "temp_folder.h"

namespace scramblo {
namespace {

using testing::NotificationSink;
using testing::Received;
using testing::TempFolder;

// Asserts that one job's notifications follow the protocol. An abandoned load
// may end early, with nothing loaded.
void expectProtocolOrder(JobKind kind, const std::vector<Received>& received, bool abandoned) {
    if (kind != LoadLexicon && kind != Search) {
        EXPECT_TRUE(received.empty());
        return;
    }
    ASSERT_FALSE(received.empty());
    const Received& last = received.back();
    for (size_t i = 0; i + 1 < received.size(); ++i) {
        EXPECT_FALSE(endsJob(received[i].code)) << "an end notification before the last one";
    }
    uintptr_t previous = 0;
    if (kind == LoadLexicon) {
        EXPECT_TRUE(last.code == LoadStopped || last.code == LoadDone);
        for (size_t i = 0; i + 1 < received.size(); ++i) {
            const Received& r = received[i];
            if (r.code == LexiconUnreadable && i == 0) continue;
            EXPECT_EQ(r.code, LoadProgress);
            EXPECT_EQ(r.value % 1000, 0u);
            EXPECT_GE(r.value, previous);
            previous = r.value;
        }
        if (!(abandoned && last.code == LoadStopped && last.value == 0)) {
            EXPECT_GE(last.value, previous);
        }
        return;
    }
    if (last.code == PhraseRefused) {
        EXPECT_EQ(received.size(), 1u);
        return;
    }
    EXPECT_TRUE(last.code == SearchStopped || last.code == SearchDone);
    for (size_t i = 0; i + 1 < received.size(); ++i) {
        const Received& r = received[i];
        if (r.code == AnagramFound) {
            EXPECT_FALSE(r.text.empty());
            continue;
        }
        EXPECT_EQ(r.code, SearchProgress);
        EXPECT_GT(r.value, previous);  // a dropped tick may leave a gap once stopped
        previous = r.value;
    }
}

std::string syllableWords() {
    const char* syllables[] = {"al",
                               "be",
                               "ci",
                               "do",
                               "en",
                               "fa",
                               "gu",
                               "hy",
                               "in",
                               "jo",
                               "ka",
                               "le",
                               "mi",
                               "no",
                               "or",
                               "pe",
                               "qua",
                               "re",
                               "si",
                               "te",
                               "un",
                               "ve",
                               "w\xEB",
                               "xa",
                               "y\xE9",
                               "zo",
                               "\xC7"
                               "a"};
    std::string words;
    for (const char* a : syllables) {
        for (const char* b : syllables) words += std::string(a) + b + "\n";
        words += std::string(a) + "\r\n";
    }
    return words + "123\n\n-- --\n";
}

TEST(Soak, EveryJobEndsOnceWhateverTheOwnerDoes) {
    const int jobs =
        std::getenv("SCRAMBLO_SOAK_JOBS") ? std::atoi(std::getenv("SCRAMBLO_SOAK_JOBS")) : 2000;
    TempFolder folder;
    const std::vector<std::string> paths{
        folder.write("words.txt", syllableWords()),
        folder.write("small.txt",
                     "listen\nsilent\ntin\nles\nenlist\ninlets\ntinsel\nel\nnil\nset\n"),
        "", "no/such/file.txt"};
    const std::vector<std::string> phrases{"listen silent", "tinsel inlets", "doreal kamino",
                                           "   ",           "12 34",         std::string(40, 'e'),
                                           "quare siteal",  "alcibe dosi",   "nil"};

    NotificationSink sink;
    Finder finder;
    finder.notifyTarget = sink.target();
    JobDriver driver(finder);
    std::mt19937 random(20261208);
    for (int job = 0; job < jobs; ++job) {
        int roll = random() % 100;
        JobKind kind = roll < 20 ? LoadLexicon : roll < 98 ? Search : NoJob;
        finder.progressPeriod = 1 + random() % 200;
#ifndef _WIN32
        if (random() % 50 == 0) sink.refuseNext(1 + random() % 2);
#endif
        SearchSettings settings;
        settings.minWordLength = random() % 5;
        settings.maxWordCount = random() % 5;
        settings.maxAnagramCount = random() % 8;
        settings.breadthFirst = random() % 2 == 0;
        ASSERT_TRUE(driver.start(kind,
                                 kind == LoadLexicon ? paths[random() % paths.size()]
                                                     : phrases[random() % phrases.size()],
                                 settings));
        bool abandoned = false;
        while (!driver.waitForEnd(0)) {
            if (random() % 16 == 0) driver.requestStop();
            if (random() % 64 == 0) {
                driver.abandon();
                abandoned = true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 300));
        }
#ifndef _WIN32
        sink.refuseNext(0);
#endif
        std::vector<Received> received;
        while (auto one = sink.next(std::chrono::milliseconds(0))) received.push_back(*one);
        SCOPED_TRACE("job " + std::to_string(job) + ": " + finder.jobText());
        expectProtocolOrder(kind, received, abandoned);
        if (::testing::Test::HasFailure()) break;
    }
}

}  // namespace
}  // namespace scramblo
