#include <atomic>
#include <csignal>

#include "interrupt.h"

namespace scramblo::cli {
namespace {

// Set from a signal handler, which may run on any thread: it must be lock-free.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int) {
    interrupted = true;
}

}  // namespace

void installSignalHandlers() {
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    // The next Ctrl-C ends the program. A write blocked on a full pipe goes on
    // after the handler: the anagrams found before the stop are still printed.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool interruptRequested() {
    return interrupted;
}

}  // namespace scramblo::cli
