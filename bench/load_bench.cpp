// Times full LoadLexicon jobs on a word list: the finder's real worker,
// posting into an inbox that the main thread takes them from.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "jobs/finder.h"
#include "jobs/job_driver.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: load_bench WORDLIST [RUNS]\n");
        return 64;
    }
    int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    scramblo::NotificationInbox inbox;
    double best = 1e30;
    uintptr_t words = 0;
    for (int run = 0; run < runs; ++run) {
        // A fresh finder each time, as at start-up; its destruction is not timed.
        auto finder = std::make_unique<scramblo::Finder>();
        finder->notifyTarget = inbox.target();
        scramblo::JobDriver jobs(*finder);
        auto start = std::chrono::steady_clock::now();
        auto end = jobs.runToEnd(
            inbox, scramblo::LoadLexicon, argv[1], scramblo::SearchSettings(),
            [](const scramblo::Notification&) {}, [](bool) {});
        words = end ? end->value : 0;
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("%lu words, best of %d loads: %.3f s\n", static_cast<unsigned long>(words), runs,
                best);
    return 0;
}
