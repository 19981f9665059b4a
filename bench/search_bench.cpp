// The search benchmark's probe of stop latency and of the load/search split:
// loads a lexicon and runs one search through the real Finder and worker
// thread, taking the notifications on this thread, and writes every anagram
// as a line to standard output.
//
// Usage: search_bench LEXICON PHRASE [depth-first] [stop-after MS]
// Settings: minimum word length 3, no limits. With stop-after, the stop flag
// is raised that many milliseconds into the search. Figures go to standard
// error: words, anagrams, load and search milliseconds, and with stop-after
// the milliseconds from the stop request to the end notification.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "jobs/finder.h"
#include "jobs/job_driver.h"

using namespace scramblo;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct JobEnd {
    uintptr_t value;  // words added, or elapsed milliseconds
    uint32_t anagrams;
    std::optional<double> stopToEndMs;  // with a stop request only
};

// Runs one job to its end, writing its anagrams to standard output and
// raising the stop flag after `stopAfter` when given.
JobEnd runJob(JobDriver& jobs, NotificationInbox& inbox, JobKind kind, const char* text,
              const SearchSettings& settings,
              std::optional<std::chrono::milliseconds> stopAfter = std::nullopt) {
    Clock::time_point start = Clock::now(), stoppedAt;
    bool stopped = false;
    JobEnd end{0, 0, std::nullopt};
    std::string lines;  // anagrams taken together, written at once
    auto handle = [&](const Notification& notification) {
        if (notification.code == AnagramFound) {
            lines += notification.text.get();
            lines += '\n';
            ++end.anagrams;
        } else if (endsJob(notification.code)) {
            end.value = notification.value;
            if (stopped) end.stopToEndMs = millisecondsSince(stoppedAt);
        }
    };
    auto write = [&] {
        std::fwrite(lines.data(), 1, lines.size(), stdout);
        lines.clear();
    };
    auto pause = [&](bool) {
        if (stopAfter && !stopped && Clock::now() >= start + *stopAfter) {
            jobs.requestStop();
            stoppedAt = Clock::now();
            stopped = true;
        }
        write();
    };
    jobs.runToEnd(inbox, kind, text, settings, handle, pause,
                  std::chrono::milliseconds(stopAfter ? 1 : 100));
    write();
    return end;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LEXICON PHRASE [depth-first] [stop-after MS]\n", argv[0]);
        return 2;
    }
    NotificationInbox inbox;
    Finder finder;
    finder.notifyTarget = inbox.target();
    JobDriver jobs(finder);
    SearchSettings settings;
    std::optional<std::chrono::milliseconds> stopAfter;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "depth-first") == 0) settings.breadthFirst = false;
        if (std::strcmp(argv[i], "stop-after") == 0 && i + 1 < argc)
            stopAfter = std::chrono::milliseconds(std::atoi(argv[++i]));
    }

    Clock::time_point start = Clock::now();
    JobEnd load = runJob(jobs, inbox, LoadLexicon, argv[1], settings);
    double loadMs = millisecondsSince(start);
    start = Clock::now();
    JobEnd search = runJob(jobs, inbox, Search, argv[2], settings, stopAfter);
    double searchMs = millisecondsSince(start);
    std::fflush(stdout);

    std::fprintf(stderr, "words %lu anagrams %u load-ms %.1f search-ms %.1f",
                 static_cast<unsigned long>(load.value), search.anagrams, loadMs, searchMs);
    if (search.stopToEndMs) std::fprintf(stderr, " stop-to-end-ms %.1f", *search.stopToEndMs);
    std::fprintf(stderr, "\n");
    // Ends without freeing the lexicon word by word: the system takes the
    // memory back at once, as it does for the peers.
    std::fflush(stderr);
    std::_Exit(0);
}
