#include "platform_win32.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unordered_map>

#include "notification_inbox.h"

namespace scramblo::platform {
namespace {

// Once the bound is reached, posting starts again when the receiver has taken
// this many: a worker woken for every single slot would take turns with its
// receiver at every notification.
constexpr uint32_t kRoomAgain = kNotificationsInFlight / 2;

// Notifications in flight per target window; a window without any has no entry.
class InFlightCounts {
  public:
    bool reserve(HWND target, bool bounded) {
        std::lock_guard<std::mutex> lock(mutex_);
        uint32_t& count = counts_[target];
        if (bounded && count >= kNotificationsInFlight) return false;
        ++count;
        return true;
    }

    void release(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        // Messages of this number that were posted around the seam are not counted.
        auto entry = counts_.find(target);
        if (entry == counts_.end()) return;
        if (--entry->second == kRoomAgain) room_.notify_all();
        if (entry->second == 0) counts_.erase(entry);
    }

    void waitForRoom(HWND target, uint32_t milliseconds) {
        std::unique_lock<std::mutex> lock(mutex_);
        auto roomy = [&] {
            auto entry = counts_.find(target);
            return entry == counts_.end() || entry->second <= kRoomAgain;
        };
        auto wait = std::chrono::milliseconds(milliseconds);
        // With room already, the system itself refused the post: nothing here
        // tells when it takes posts again.
        if (roomy()) {
            lock.unlock();
            Sleep(milliseconds);
        } else {
            room_.wait_for(lock, wait, roomy);
        }
    }

    uint32_t count(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto entry = counts_.find(target);
        return entry == counts_.end() ? 0 : entry->second;
    }

  private:
    std::mutex mutex_;
    std::condition_variable room_;
    std::unordered_map<HWND, uint32_t> counts_;
};

InFlightCounts& inFlight() {
    static InFlightCounts counts;
    return counts;
}

}  // namespace

PostResult postNotification(NotifyTarget target, uint32_t message, uintptr_t code,
                            uintptr_t value) {
    auto window = static_cast<HWND>(target);
    if (!inFlight().reserve(window, !endsJob(code)))
        return IsWindow(window) ? PostResult::Refused : PostResult::TargetGone;
    if (PostMessageA(window, message, code, value)) return PostResult::Posted;
    inFlight().release(window);
    return IsWindow(window) ? PostResult::Refused : PostResult::TargetGone;
}

Notification receive(HWND target, WPARAM code, LPARAM value) {
    inFlight().release(target);
    return Notification(code, static_cast<uintptr_t>(value));
}

std::optional<Notification> takeNotification(NotifyTarget target,
                                             std::chrono::milliseconds timeout) {
    auto window = static_cast<HWND>(target);
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        if (PeekMessageA(&msg, window, kNotificationMessage, kNotificationMessage, PM_REMOVE))
            return receive(window, msg.wParam, msg.lParam);
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_POSTMESSAGE,
                                    MWMO_INPUTAVAILABLE);
    }
}

void discardNotifications(NotifyTarget target) {
    // The count says what is still queued. A peek can come back empty when it
    // handles a message sent from another thread, so a miss is tried again,
    // a few times.
    constexpr int kMisses = 3;
    auto window = static_cast<HWND>(target);
    for (int misses = 0; notificationsInFlight(window) > 0 && misses < kMisses;) {
        if (!takeNotification(window, std::chrono::milliseconds(0))) ++misses;
    }
}

uint32_t notificationsInFlight(HWND target) {
    return inFlight().count(target);
}

void waitForRoom(NotifyTarget target, uint32_t milliseconds) {
    inFlight().waitForRoom(static_cast<HWND>(target), milliseconds);
}

uint32_t tickCount() {
    return GetTickCount();
}

}  // namespace scramblo::platform

namespace scramblo {

NotificationInbox::NotificationInbox()
    : target_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

NotificationInbox::~NotificationInbox() {
    platform::discardNotifications(target_);
    DestroyWindow(static_cast<HWND>(target_));
}

}  // namespace scramblo
