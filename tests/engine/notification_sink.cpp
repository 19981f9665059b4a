#include "notification_sink.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "anagram_text.h"
#include "mailbox.h"

#ifdef _WIN32
#include "platform_win32.h"
#endif

namespace scramblo::testing {
namespace {

Received receive(const Notification& notification) {
    if (notification.code != AnagramFound) return {notification.code, notification.value, {}};
    auto* text = reinterpret_cast<const char*>(notification.value);
    Received received{notification.code, 0, text};
    releaseAnagramText(text);
    return received;
}

}  // namespace

#ifdef _WIN32

NotificationSink::NotificationSink() {
    target_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
}

NotificationSink::~NotificationSink() {
    while (next(std::chrono::milliseconds(0))) {
    }
    DestroyWindow(static_cast<HWND>(target_));
}

std::optional<Received> NotificationSink::next(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, static_cast<HWND>(target_), kNotificationMessage,
                         kNotificationMessage, PM_REMOVE)) {
            platform::notificationTaken(msg.hwnd);
            return receive({msg.message, msg.wParam, static_cast<uintptr_t>(msg.lParam)});
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        Sleep(1);
    }
}

void NotificationSink::refuseNext(uint32_t) {}

#else

NotificationSink::NotificationSink() {
    target_ = new Mailbox;
}

NotificationSink::~NotificationSink() {
    while (next(std::chrono::milliseconds(0))) {
    }
    delete static_cast<Mailbox*>(target_);
}

std::optional<Received> NotificationSink::next(std::chrono::milliseconds timeout) {
    auto notification = static_cast<Mailbox*>(target_)->take(timeout);
    if (!notification) return std::nullopt;
    return receive(*notification);
}

void NotificationSink::refuseNext(uint32_t count) {
    static_cast<Mailbox*>(target_)->refuseNext(count);
}

#endif

std::vector<Received> NotificationSink::untilJobEnds() {
    std::vector<Received> received;
    while (auto one = next()) {
        received.push_back(*one);
        if (endsJob(one->code)) break;
    }
    return received;
}

void runJob(Finder& finder, JobKind kind, const std::string& text, NotificationSink& sink) {
    finder.targetWindow = sink.target();
    finder.jobKind = kind;
    finder.jobText = text;
    std::thread worker(workerMain, &finder);
    worker.join();
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
