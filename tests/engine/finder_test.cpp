#include "finder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "notification_sink.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "mailbox.h"
#endif

namespace scramblo {
namespace {

using namespace std::chrono_literals;
using testing::NotificationSink;
using testing::Received;
using testing::runJobAndCollect;
using testing::TempFile;

TEST(Finder, StartsWithTheDefaults) {
    Finder finder;
    EXPECT_EQ(finder.targetWindow, nullptr);
    EXPECT_EQ(finder.notificationMessage, 32808u);
    EXPECT_EQ(finder.jobKind, NoJob);
    EXPECT_EQ(finder.progressPeriod, 100000u);
    EXPECT_EQ(finder.minWordLength, 3u);
    EXPECT_EQ(finder.maxWordCount, 0u);
    EXPECT_EQ(finder.maxAnagramCount, 0u);
    EXPECT_TRUE(finder.breadthFirst);
    EXPECT_TRUE(finder.repeatEntries);
    EXPECT_FALSE(finder.stopRequested());
}

TEST(Finder, UnknownJobKindsEndWithoutANotification) {
    NotificationSink sink;
    Finder finder;
    for (int kind : {0, 3, -1, 77}) {
        EXPECT_TRUE(runJobAndCollect(finder, static_cast<JobKind>(kind), "x", sink).empty());
    }
    EXPECT_EQ(workerMain(nullptr), 0u);
}

TEST(Finder, WithoutATargetAJobRunsAndPostsNothing) {
    NotificationSink sink;
    TempFile file("alpha\nbeta\n");
    Finder finder;
    finder.jobKind = LoadLexicon;
    finder.jobText = file.path();
    std::thread(workerMain, &finder).join();
    EXPECT_EQ(finder.wordSet.size(), 2u);
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, APostThatFailsWhileStoppedIsDropped) {
    NotificationSink sink;
    Finder finder;
    finder.targetWindow = sink.target();
#ifdef _WIN32
    // A window that is gone refuses every post.
    HWND gone =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    finder.targetWindow = gone;
#else
    sink.refuseNext(UINT32_MAX);
#endif
    finder.setStop(true);
    EXPECT_FALSE(finder.post(LoadDone, 1));
    EXPECT_FALSE(sink.next(0ms));
}

#ifndef _WIN32
TEST(Finder, ARefusedPostIsRetriedUntilItGoesThrough) {
    NotificationSink sink;
    Finder finder;
    finder.targetWindow = sink.target();
    sink.refuseNext(2);
    EXPECT_TRUE(finder.post(SearchDone, 42));
    EXPECT_EQ(static_cast<Mailbox*>(sink.target())->attempts(), 3u);
    EXPECT_EQ(sink.next(0ms), (Received{SearchDone, 42, {}}));
}

TEST(Finder, AnAnagramWhosePostIsAbandonedIsReleasedByTheWorker) {
    // The mailbox refuses everything; the stop request ends the retrying and
    // the search. LeakSanitizer checks that the abandoned text was freed.
    NotificationSink sink;
    TempFile file("listen\nsilent\n");
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, file.path(), sink);
    sink.refuseNext(UINT32_MAX);
    finder.targetWindow = sink.target();
    finder.jobKind = Search;
    finder.jobText = "tinsel";
    std::thread worker(workerMain, &finder);
    std::this_thread::sleep_for(250ms);
    finder.setStop(true);
    worker.join();
    EXPECT_FALSE(sink.next(0ms));
    EXPECT_GE(static_cast<Mailbox*>(sink.target())->attempts(), 2u);
}
#endif

TEST(Finder, JobsRunWhileTheOwnerStopsAndChangesSettings) {
    // Stop requests and setting writes from the owner's thread while loads and
    // searches run: every job still ends with one end notification, and
    // ThreadSanitizer sees no race.
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += "w" + std::to_string(i * 7919 % 100003) + "e\n";
    bytes += "listen\nsilent\ntin\nles\nenlist\n";
    TempFile file(bytes);
    NotificationSink sink;
    Finder finder;
    finder.targetWindow = sink.target();
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        bool load = round % 2 == 0;
        finder.jobKind = load ? LoadLexicon : Search;
        finder.jobText = load ? file.path() : "listen silent tin";
        std::atomic<bool> done{false};
        std::thread worker([&] {
            workerMain(&finder);
            done = true;
        });
        while (!done) {
            finder.minWordLength = random() % 4;
            finder.maxWordCount = random() % 4;
            finder.maxAnagramCount = random() % 3;
            finder.breadthFirst = random() % 2;
            if (random() % 8 == 0) finder.setStop(true);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 500));
        }
        worker.join();
        auto received = sink.untilJobEnds();
        ASSERT_FALSE(received.empty());
        EXPECT_TRUE(endsJob(received.back().code));
        EXPECT_FALSE(sink.next(0ms)) << "a notification after the end of round " << round;
    }
}

}  // namespace
}  // namespace scramblo
