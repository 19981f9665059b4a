#include "jobs/finder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <random>
#include <thread>

#include "jobs/job_driver.h"
#include "notification_sink.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/mailbox.h"
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
    EXPECT_EQ(finder.notifyTarget, nullptr);
    EXPECT_EQ(finder.notificationMessage, 32808u);
    EXPECT_EQ(finder.jobKind(), NoJob);
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
    JobDriver jobs(finder);
    jobs.start(LoadLexicon, file.path());
    jobs.waitForEnd(JobDriver::kForever);
    EXPECT_EQ(finder.wordSet.size(), 2u);
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, AStopRequestedBeforeTheWorkerGetsGoingEndsTheJob) {
    // The file opens only after the stop request: a job that lowered the stop
    // flag as it got going would miss the request and end as done.
    NotificationSink sink;
    TempFile file("alpha\nbeta\n");
    Finder finder;
    finder.notifyTarget = sink.target();
    std::promise<void> stopRequested;
    std::shared_future<void> requested = stopRequested.get_future().share();
    finder.openLexicon = [requested](const std::string& path) -> std::unique_ptr<std::streambuf> {
        requested.wait();
        return LexiconFile::open(path);
    };
    JobDriver jobs(finder);
    ASSERT_TRUE(jobs.start(LoadLexicon, file.path()));
    jobs.requestStop();
    stopRequested.set_value();
    EXPECT_EQ(sink.untilJobEnds(), (std::vector<Received>{{LoadStopped, 2, {}}}));
}

TEST(Finder, GivesUpAtOnceWhenTheWindowIsGone) {
    NotificationSink sink;
    Finder finder;
#ifdef _WIN32
    HWND gone =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    finder.notifyTarget = gone;
#else
    Mailbox closed;
    closed.close();
    finder.notifyTarget = &closed;
#endif
    // Neither the stop flag nor the kind of notification matters: no later
    // attempt could succeed, so the worker does not wait for one.
    EXPECT_FALSE(finder.post(LoadProgress, 1));
    EXPECT_FALSE(finder.post(SearchDone, 1));
}

#ifndef _WIN32
TEST(Finder, RetriesRefusedPostsAndDropsOnlyProgressOnceStopped) {
    NotificationSink sink;
    Mailbox& mailbox = *static_cast<Mailbox*>(sink.target());
    Finder finder;
    finder.notifyTarget = sink.target();

    sink.refuseNext(2);
    EXPECT_TRUE(finder.post(LoadProgress, 42));
    EXPECT_EQ(mailbox.attempts(), 3u);

    // Once stopped, a refused post is dropped at its first attempt, without
    // the 100 ms wait: nobody waits for it any more.
    finder.setStop(true);
    sink.refuseNext(UINT32_MAX);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(finder.post(SearchProgress, 1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(mailbox.attempts(), 23u);

    // A job's end is what frees its owner, so it outlasts the stop flag.
    sink.refuseNext(3);
    EXPECT_TRUE(finder.post(SearchStopped, 9));
    EXPECT_EQ(mailbox.attempts(), 27u);

    std::vector<Received> expected{{LoadProgress, 42, {}}, {SearchStopped, 9, {}}};
    EXPECT_EQ(sink.next(0ms), expected[0]);
    EXPECT_EQ(sink.next(0ms), expected[1]);
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, AnAnagramWhosePostIsAbandonedIsReleasedByTheWorker) {
    // The mailbox refuses the anagram until the stop request drops it; then
    // the window goes away. LeakSanitizer checks that the text was freed.
    NotificationSink sink;
    TempFile file("listen\nsilent\n");
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, file.path(), sink);
    Mailbox& mailbox = *static_cast<Mailbox*>(sink.target());
    mailbox.refuseNext(UINT32_MAX);
    uint32_t before = mailbox.attempts();
    JobDriver jobs(finder);
    jobs.start(Search, "tinsel");
    while (mailbox.attempts() == before) std::this_thread::sleep_for(1ms);
    jobs.requestStop();
    mailbox.close();
    jobs.waitForEnd(JobDriver::kForever);
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, ASearchKeepsToTheSettingsItStartedWith) {
    // The first anagram's post is held back until the owner has changed every
    // setting; had the search taken the new ones, it would have stopped at one
    // anagram and found "les tin" as well.
    NotificationSink sink;
    TempFile file("listen\nsilent\nenlist\ntin\nles\n");
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, file.path(), sink);
    finder.minWordLength = 6;
    sink.refuseNext(UINT32_MAX);
    finder.notifyTarget = sink.target();
    auto* mailbox = static_cast<Mailbox*>(sink.target());
    uint32_t attemptsBefore = mailbox->attempts();
    JobDriver jobs(finder);
    jobs.start(Search, "listen");
    while (mailbox->attempts() == attemptsBefore) std::this_thread::sleep_for(1ms);
    finder.minWordLength = 1;
    finder.maxWordCount = 1;
    finder.maxAnagramCount = 1;
    finder.breadthFirst = false;
    sink.refuseNext(0);
    jobs.waitForEnd(JobDriver::kForever);

    auto received = sink.untilJobEnds();
    ASSERT_EQ(received.size(), 4u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(received[i].code, AnagramFound);
    EXPECT_EQ(received[3].code, SearchDone);
}
#endif

}  // namespace
}  // namespace scramblo
