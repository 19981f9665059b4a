// The thread that runs one job of a finder: workerMain on the finder. Its id
// is not kept. Destroying a WorkerThread waits for its thread without limit,
// so the finder must outlive it and be told to stop first (see JobDriver).
#pragma once

#include <cstdint>

#include "jobs/finder.h"

#ifndef _WIN32
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace scramblo {

class WorkerThread {
  public:
    static constexpr uint32_t kForever = UINT32_MAX;

    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread() { waitForEnd(kForever); }

    // Starts workerMain on the finder; false when the thread cannot be created
    // or one is still running (never two workers on one finder).
    bool start(Finder& finder);

    // A thread has been started and not yet seen to end.
    bool running() const;

    // Waits up to `timeoutMs` (kForever: without limit). Answers whether no
    // thread runs any more; the one that ended is then forgotten.
    bool waitForEnd(uint32_t timeoutMs);

  private:
#ifdef _WIN32
    void* handle_ = nullptr;  // HANDLE
#else
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
#endif
};

}  // namespace scramblo
