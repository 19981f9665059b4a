#include "jobs/job_driver.h"

namespace scramblo {

bool JobDriver::start(JobKind kind, std::string text, const SearchSettings& settings) {
    if (running()) return false;
    finder_.setJob(kind, std::move(text), settings);
    return worker_.start(finder_);
}

void JobDriver::discardQueued() {
    if (!running() && finder_.notifyTarget != nullptr)
        platform::discardNotifications(finder_.notifyTarget);
}

JobDriver::~JobDriver() {
    if (!running()) return;
    abandon();
    waitForEnd(kForever);
}

void JobDriver::abandonAndWait() {
    if (running()) {
        abandon();
        waitForEnd(kForever);
    }
    discardQueued();
}

}  // namespace scramblo
