// A search whose memory runs out ends as stopped, having posted only what the
// full search posts first (or, when only a post found no memory, as the full
// search does), and leaves nothing allocated behind (the sanitizer
// builds check that). This executable replaces the global allocation
// functions: on the thread that asks for it, one chosen allocation fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <thread>

#include "jobs/finder.h"
#include "literal_search.h"
#include "notification_sink.h"
#include "search_harness.h"

// GCC takes the free in the replacement delete for a mismatch once inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

// Allocations this thread may still make before one fails; -1: no failure.
thread_local long allocationsBeforeFailure = -1;
thread_local bool failed = false;

}  // namespace

void* operator new(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        failed = true;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace scramblo {
namespace {

using testing::literalSearch;
using testing::NotificationSink;
using testing::Received;
using testing::useLexicon;

// Longer than the remainders whose subtrees the search describes up front,
// so that memory is still taken while anagrams come out.
const char kPhrase[] = "silent listen tinsel";

TEST(SearchOutOfMemory, EndsAsStoppedAfterAPrefixOfTheFullSearch) {
    NotificationSink sink;
    Finder finder;
    useLexicon(finder,
               {"tin", "listen", "les", "silent", "enlist", "inlets", "nil", "set", "tinsel"});
    finder.progressPeriod = 7;
    for (bool breadthFirst : {true, false}) {
        SearchSettings settings;
        settings.breadthFirst = breadthFirst;
        std::vector<Received> expected = literalSearch(finder, kPhrase, settings);
        int failures = 0, afterAnagrams = 0;
        for (long allowed = 0;; ++allowed) {
            finder.notifyTarget = sink.target();
            finder.setJob(Search, kPhrase, settings);
            bool searchFailed = false;
            std::thread worker([&] {
                allocationsBeforeFailure = allowed;
                workerMain(&finder);
                allocationsBeforeFailure = -1;
                searchFailed = failed;
                failed = false;
            });
            std::vector<Received> received = sink.untilJobEnds();
            worker.join();
            ASSERT_FALSE(received.empty());
            received.back().value = 0;
            if (!searchFailed) {
                EXPECT_EQ(received, expected);
                break;
            }
            ++failures;
            // A post that finds no memory is tried again: the search goes on.
            if (received == expected) continue;
            afterAnagrams += !testing::anagramsIn(received).empty();
            EXPECT_EQ(received.back().code, SearchStopped) << "allocation " << allowed;
            ASSERT_LT(received.size(), expected.size() + 1);
            EXPECT_TRUE(std::equal(received.begin(), received.end() - 1, expected.begin()))
                << "allocation " << allowed;
        }
        EXPECT_GT(failures, 30);
        // Anagram texts share chunks and the search's tables are mostly made
        // early, so few allocations follow the first anagram; some do.
        EXPECT_GE(afterAnagrams, 1);
    }
}

// A receiver that keeps up empties its queue between notifications; handing
// over the next one must not need memory again, or the worker's use of memory
// would follow the receiver's timing.
TEST(SearchOutOfMemory, AHandOverToATargetThatHadOneBeforeTakesNoMemory) {
    NotificationSink sink;
    ASSERT_EQ(platform::postNotification(sink.target(), kNotificationMessage, SearchProgress, 1),
              platform::PostResult::Posted);
    ASSERT_TRUE(sink.next());
    allocationsBeforeFailure = 0;
    EXPECT_NO_THROW(
        platform::postNotification(sink.target(), kNotificationMessage, SearchProgress, 2));
    allocationsBeforeFailure = -1;
    EXPECT_FALSE(failed);
}

}  // namespace
}  // namespace scramblo
