#include "platform/platform_win32.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <unordered_map>

#include "jobs/notification_inbox.h"

namespace scramblo::platform {
namespace {

// What is on its way to each target window.
class InFlightCounts {
  public:
    enum class Reservation { Made, Full, LeftOut };

    Reservation reserve(HWND target, uintptr_t code) {
        std::lock_guard<std::mutex> lock(mutex_);
        Target& to = targets_[target];
        if (code == SearchProgress && to.coalescesProgress && to.progressQueued)
            return Reservation::LeftOut;
        if (!endsJob(code) && to.count >= to.bound) return Reservation::Full;
        ++to.count;
        if (code == SearchProgress) to.progressQueued = true;
        return Reservation::Made;
    }

    void release(HWND target, uintptr_t code) {
        std::lock_guard<std::mutex> lock(mutex_);
        // Messages of this number that were posted around the seam are not counted.
        auto entry = targets_.find(target);
        if (entry == targets_.end() || entry->second.count == 0) return;
        Target& to = entry->second;
        if (code == SearchProgress) to.progressQueued = false;
        if (--to.count == to.roomAgain()) room_.notify_all();
    }

    void coalesceProgress(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        targets_[target].coalescesProgress = true;
    }

    void setBound(HWND target, uint32_t bound) {
        std::lock_guard<std::mutex> lock(mutex_);
        targets_[target].bound = bound;
        room_.notify_all();
    }

    bool waitForRoom(HWND target, uint32_t milliseconds) {
        std::unique_lock<std::mutex> lock(mutex_);
        auto roomy = [&] {
            auto entry = targets_.find(target);
            return entry == targets_.end() || entry->second.count <= entry->second.roomAgain();
        };
        auto wait = std::chrono::milliseconds(milliseconds);
        // With room already, the system itself refused the post: nothing here
        // tells when it takes posts again.
        if (roomy()) {
            lock.unlock();
            Sleep(milliseconds);
            return false;
        }
        return room_.wait_for(lock, wait, roomy);
    }

    uint32_t count(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto entry = targets_.find(target);
        return entry == targets_.end() ? 0 : entry->second.count;
    }

  private:
    struct Target {
        uint32_t count = 0;
        uint32_t bound = kNotificationsInFlight;
        bool coalescesProgress = false;
        bool progressQueued = false;

        // Once the bound is reached, posting starts again when the receiver
        // has taken half: a worker woken for every single slot would take
        // turns with its receiver at every notification.
        uint32_t roomAgain() const { return bound / 2; }
    };

    std::mutex mutex_;
    std::condition_variable room_;
    // A window has an entry from its first notification on. It is kept when
    // nothing is on its way: making it again would cost an allocation for
    // every notification of a receiver that keeps up, and make the worker's
    // use of memory depend on timing.
    std::unordered_map<HWND, Target> targets_;
};

InFlightCounts& inFlight() {
    static InFlightCounts counts;
    return counts;
}

}  // namespace

PostResult postNotification(NotifyTarget target, uint32_t message, uintptr_t code,
                            uintptr_t value) {
    auto window = static_cast<HWND>(target);
    switch (inFlight().reserve(window, code)) {
        case InFlightCounts::Reservation::LeftOut:
            return PostResult::Posted;  // the window will take a later tick instead
        case InFlightCounts::Reservation::Full:
            return IsWindow(window) ? PostResult::Refused : PostResult::TargetGone;
        case InFlightCounts::Reservation::Made:
            break;
    }
    if (PostMessageA(window, message, code, value)) return PostResult::Posted;
    inFlight().release(window, code);
    return IsWindow(window) ? PostResult::Refused : PostResult::TargetGone;
}

void coalesceProgress(HWND target) {
    inFlight().coalesceProgress(target);
}

Notification receive(HWND target, WPARAM code, LPARAM value) {
    inFlight().release(target, code);
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

void boundNotificationsInFlight(HWND target, uint32_t bound) {
    inFlight().setBound(target, bound);
}

uint32_t notificationsInFlight(HWND target) {
    return inFlight().count(target);
}

bool waitForRoom(NotifyTarget target, uint32_t milliseconds) {
    return inFlight().waitForRoom(static_cast<HWND>(target), milliseconds);
}

uint32_t tickCount() {
    return GetTickCount();
}

void* reserveMemory(size_t bytes) {
    // Committed memory is backed only where it is touched. Large pages would
    // need a privilege that users do not hold.
    return bytes == 0 ? nullptr
                      : VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void releaseMemory(void* memory, size_t) {
    if (memory != nullptr) VirtualFree(memory, 0, MEM_RELEASE);
}

std::string programFolder() {
    // The path may be longer than MAX_PATH: the buffer grows until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path().u8string();
        }
        path.resize(path.size() * 2);
    }
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
