// Runs a finder's jobs one at a time, each on a worker thread of its own: the
// one place where a front end (the window, the command line) starts a job,
// asks it to stop, waits for its worker and clears away what it left queued.
// Never two workers on one finder, and never a finder destroyed under its
// worker. Every call comes from the thread that receives the finder's
// notifications.
#pragma once

#include <cstdint>
#include <string>

#include "jobs/finder.h"
#include "jobs/worker_thread.h"

namespace scramblo {

class JobDriver {
  public:
    static constexpr uint32_t kForever = WorkerThread::kForever;

    explicit JobDriver(Finder& finder) : finder_(finder) {}
    // Abandons a running job and waits for its worker without limit. What it
    // left queued stays for the receiver, whose target frees it at the latest.
    ~JobDriver();
    JobDriver(const JobDriver&) = delete;
    JobDriver& operator=(const JobDriver&) = delete;

    // Sets the job and starts its worker; false when a worker still runs or
    // none can be started. A stop requested at any moment after this call
    // ends the job.
    bool start(JobKind kind, std::string text);

    void requestStop() { finder_.setStop(true); }
    // The owner wants nothing more of the job: a load stops reading as well.
    void abandon() { finder_.abandon(); }

    bool running() const { return worker_.running(); }
    // Waits up to `timeoutMs` (kForever: without limit); answers whether no
    // worker runs any more.
    bool waitForEnd(uint32_t timeoutMs) { return worker_.waitForEnd(timeoutMs); }

    // Takes and frees whatever the ended jobs left queued for the finder's
    // target. Does nothing while a worker runs.
    void discardQueued();

    // Abandons a running job, waits for its worker without limit and discards
    // what is left queued.
    void abandonAndWait();

  private:
    Finder& finder_;
    WorkerThread worker_;
};

}  // namespace scramblo
