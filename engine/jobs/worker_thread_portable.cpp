#include <chrono>
#include <system_error>

#include "jobs/worker_thread.h"

namespace scramblo {

bool WorkerThread::start(Finder& finder) {
    if (running()) return false;
    done_ = false;
    try {
        thread_ = std::thread([this, &finder] {
            workerMain(&finder);
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
            ended_.notify_all();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool WorkerThread::running() const {
    return thread_.joinable();
}

bool WorkerThread::waitForEnd(uint32_t timeoutMs) {
    if (!thread_.joinable()) return true;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        auto done = [this] { return done_; };
        if (timeoutMs == kForever) {
            ended_.wait(lock, done);
        } else if (!ended_.wait_for(lock, std::chrono::milliseconds(timeoutMs), done)) {
            return false;
        }
    }
    thread_.join();
    return true;
}

}  // namespace scramblo
