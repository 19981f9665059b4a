// Runs a finder's jobs one at a time, each on a worker thread of its own: the
// one place where a front end (the window, the command line) starts a job,
// asks it to stop, waits for its worker and clears away what it left queued.
// Never two workers on one finder, and never a finder destroyed under its
// worker. Every call comes from the thread that receives the finder's
// notifications.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "jobs/finder.h"
#include "jobs/notification_inbox.h"
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
    bool start(JobKind kind, std::string text, const SearchSettings& settings = SearchSettings());

    // Runs a load or a search to its end for a receiver without a window,
    // whose inbox is the finder's target: starts it, hands each of its
    // notifications in turn to `handle(const Notification&)` until its end
    // notification, waits for its worker and answers that notification; none
    // when the job could not start. `pause(bool quiet)` is called after each run of notifications
    // taken at once (quiet false) and after every `quietWait` without one
    // (quiet true): the receiver's chance to ask for a stop or to flush.
    template <typename Handle, typename Pause>
    std::optional<Notification> runToEnd(NotificationInbox& inbox, JobKind kind, std::string text,
                                         const SearchSettings& settings, Handle&& handle,
                                         Pause&& pause,
                                         std::chrono::milliseconds quietWait = kQuietWait);

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
    static constexpr std::chrono::milliseconds kQuietWait{50};
    // At most this many notifications are handled between two pauses.
    static constexpr int kRun = 1024;

    Finder& finder_;
    WorkerThread worker_;
};

template <typename Handle, typename Pause>
std::optional<Notification> JobDriver::runToEnd(NotificationInbox& inbox, JobKind kind,
                                                std::string text, const SearchSettings& settings,
                                                Handle&& handle, Pause&& pause,
                                                std::chrono::milliseconds quietWait) {
    if (!start(kind, std::move(text), settings)) return std::nullopt;
    for (;;) {
        std::optional<Notification> notification = inbox.next(quietWait);
        if (!notification) {
            pause(true);
            continue;
        }
        for (int taken = 1; notification; ++taken) {
            handle(static_cast<const Notification&>(*notification));
            if (endsJob(notification->code)) {
                waitForEnd(kForever);  // it posts nothing more and ends at once
                return notification;
            }
            notification.reset();
            if (taken < kRun) notification = inbox.next(std::chrono::milliseconds(0));
        }
        pause(false);
    }
}

}  // namespace scramblo
