#include <windows.h>

#include <atomic>

#include "interrupt.h"

namespace scramblo::cli {
namespace {

std::atomic<bool> interrupted{false};

// Runs on a thread of its own. The first Ctrl-C or Ctrl-Break is ours; for
// any later one, and for closing the console, the default handler ends the program.
BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    return interrupted.exchange(true) ? FALSE : TRUE;
}

}  // namespace

void installSignalHandlers() {
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

bool interruptRequested() {
    return interrupted;
}

}  // namespace scramblo::cli
