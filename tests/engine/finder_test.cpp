#include "jobs/finder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <random>
#include <thread>

#include "jobs/job_driver.h"
#include "notification_sink.h"
#include "temp_folder.h"

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
using testing::TempFolder;

TEST(Finder, UnknownJobKindsEndWithoutANotification) {
    NotificationSink sink;
    Finder finder;
    finder.notifyTarget = sink.target();
    JobDriver jobs(finder);
    for (int kind : {0, 3, -1, 77}) {
        ASSERT_TRUE(jobs.start(static_cast<JobKind>(kind), "x"));
        jobs.waitForEnd(JobDriver::kForever);
    }
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, WithoutATargetAJobRunsAndPostsNothing) {
    NotificationSink sink;
    TempFolder folder;
    Finder finder;
    JobDriver jobs(finder);
    jobs.start(LoadLexicon, folder.write("words.txt", "alpha\nbeta\n"));
    jobs.waitForEnd(JobDriver::kForever);
    EXPECT_EQ(finder.wordSet.size(), 2u);
    EXPECT_FALSE(sink.next(0ms));
}

TEST(Finder, AStopRequestedBeforeTheWorkerGetsGoingEndsTheJob) {
    // The file opens only after the stop request: a job that lowered the stop
    // flag as it got going would miss the request and end as done.
    NotificationSink sink;
    TempFolder folder;
    Finder finder;
    finder.notifyTarget = sink.target();
    std::promise<void> stopRequested;
    std::shared_future<void> requested = stopRequested.get_future().share();
    finder.openLexicon = [requested](const std::string& path) -> std::unique_ptr<std::streambuf> {
        requested.wait();
        std::optional<OpenedList> list = openList(path);
        return list ? std::move(list->text) : nullptr;
    };
    JobDriver jobs(finder);
    ASSERT_TRUE(jobs.start(LoadLexicon, folder.write("words.txt", "alpha\nbeta\n")));
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
    TempFolder folder;
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, folder.write("words.txt", "listen\nsilent\n"), sink);
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
#endif

}  // namespace
}  // namespace scramblo
