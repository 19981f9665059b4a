#include "notification_sink.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "jobs/job_driver.h"

namespace scramblo::testing {

std::optional<Received> NotificationSink::next(std::chrono::milliseconds timeout) {
    std::optional<Notification> notification = inbox_.next(timeout);
    if (!notification) return std::nullopt;
    if (notification->code != AnagramFound)
        return Received{notification->code, notification->value, {}};
    return Received{notification->code, 0, notification->text.get(), notification->score()};
}

void NotificationSink::refuseNext([[maybe_unused]] uint32_t count) {
#ifndef _WIN32
    static_cast<Mailbox*>(target())->refuseNext(count);
#endif
}

std::vector<Received> NotificationSink::untilJobEnds() {
    std::vector<Received> received;
    while (auto one = next()) {
        received.push_back(*one);
        if (endsJob(one->code)) break;
    }
    return received;
}

void runJob(Finder& finder, JobKind kind, const std::string& text, NotificationSink& sink) {
    finder.notifyTarget = sink.target();
    JobDriver jobs(finder);
    if (!jobs.start(kind, text)) throw std::runtime_error("no worker thread");
    jobs.waitForEnd(JobDriver::kForever);
}

std::vector<Received> runJobAndCollect(Finder& finder, JobKind kind, const std::string& text,
                                       NotificationSink& sink) {
    runJob(finder, kind, text, sink);
    std::vector<Received> received;
    while (auto one = sink.next(std::chrono::milliseconds(0))) received.push_back(*one);
    return received;
}

TempFile::TempFile(const std::string& bytes) {
    static std::atomic<int> serial{0};
    auto dir = std::filesystem::temp_directory_path();
    path_ = (dir / ("scramblo-test-" + std::to_string(serial++) + "-" +
                    std::to_string(reinterpret_cast<uintptr_t>(this)) + ".txt"))
                .string();
    std::ofstream(path_, std::ios::binary) << bytes;
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

}  // namespace scramblo::testing
