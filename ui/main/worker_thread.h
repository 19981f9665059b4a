// The handle of the one worker thread that runs a finder's job. The thread
// id is not kept. Destroying a WorkerThread waits for its thread without limit,
// so the finder it runs on must outlive it and be told to stop first.
#pragma once

#include <windows.h>

#include "finder.h"

namespace scramblo::ui {

class WorkerThread {
  public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread() { waitForEnd(INFINITE); }

    // Starts workerMain on the finder; false when the thread cannot be created
    // or one is still running (never two workers on one finder).
    bool start(Finder& finder);

    // A thread has been started and not yet seen to end.
    bool running() const { return handle_ != nullptr; }

    // Waits up to `timeoutMs`; once the thread has ended its handle is closed
    // and forgotten. Answers whether no thread runs any more.
    bool waitForEnd(DWORD timeoutMs);

  private:
    HANDLE handle_ = nullptr;
};

}  // namespace scramblo::ui
