#include "notification_sink.h"

#include <stdexcept>

#include "jobs/job_driver.h"

#ifndef _WIN32
#include "platform/mailbox.h"
#endif

namespace scramblo::testing {

NotificationSink::NotificationSink() {
#ifndef _WIN32
    static_cast<Mailbox*>(target())->countAttempts();
#endif
}

Received received(const Notification& notification) {
    if (notification.code != AnagramFound) return {notification.code, notification.value, {}};
    return {notification.code, 0, notification.text.get(), notification.score()};
}

std::optional<Received> NotificationSink::next(std::chrono::milliseconds timeout) {
    std::optional<Notification> notification = inbox_.next(timeout);
    if (!notification) return std::nullopt;
    return received(*notification);
}

void NotificationSink::refuseNext([[maybe_unused]] uint32_t count) {
#ifndef _WIN32
    static_cast<Mailbox*>(target())->refuseNext(count);
#endif
}

std::vector<Received> NotificationSink::untilJobEnds() {
    std::vector<Received> all;
    while (auto one = next()) {
        all.push_back(*one);
        if (endsJob(one->code)) break;
    }
    return all;
}

std::vector<Received> runJobAndCollect(Finder& finder, JobKind kind, const std::string& text,
                                       NotificationSink& sink, const SearchSettings& settings) {
    finder.notifyTarget = sink.target();
    JobDriver jobs(finder);
    std::vector<Received> all;
    auto collect = [&all](const Notification& notification) {
        all.push_back(received(notification));
    };
    if (!jobs.runToEnd(sink.inbox(), kind, text, settings, collect, [](bool) {}))
        throw std::runtime_error("no worker thread");
    return all;
}

}  // namespace scramblo::testing
