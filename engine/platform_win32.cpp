#include "platform_win32.h"

#include <mutex>
#include <unordered_map>

#include "notification.h"
#include "platform.h"

namespace scramblo::platform {
namespace {

// Notifications in flight per target window; a window without any has no entry.
class InFlightCounts {
  public:
    bool reserve(HWND target, bool bounded) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto bound = bounds_.find(target);
        uint32_t& count = counts_[target];
        if (bounded && count >= (bound == bounds_.end() ? kNotificationsInFlight : bound->second))
            return false;
        ++count;
        return true;
    }

    void release(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        // Messages of this number that were posted around the seam are not counted.
        auto entry = counts_.find(target);
        if (entry == counts_.end()) return;
        if (--entry->second == 0) counts_.erase(entry);
    }

    void setBound(HWND target, uint32_t bound) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (bound == kNotificationsInFlight) {
            bounds_.erase(target);
        } else {
            bounds_[target] = bound;
        }
    }

    uint32_t count(HWND target) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto entry = counts_.find(target);
        return entry == counts_.end() ? 0 : entry->second;
    }

  private:
    std::mutex mutex_;
    std::unordered_map<HWND, uint32_t> counts_;
    std::unordered_map<HWND, uint32_t> bounds_;  // where not kNotificationsInFlight
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

void notificationTaken(HWND target) {
    inFlight().release(target);
}

void boundNotificationsInFlight(HWND target, uint32_t bound) {
    inFlight().setBound(target, bound);
}

uint32_t notificationsInFlight(HWND target) {
    return inFlight().count(target);
}

void sleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

uint32_t tickCount() {
    return GetTickCount();
}

}  // namespace scramblo::platform
