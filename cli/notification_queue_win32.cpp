#include <windows.h>

#include "notification.h"
#include "notification_queue.h"

namespace scramblo::cli {

NotificationQueue::NotificationQueue()
    : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

NotificationQueue::~NotificationQueue() {
    DestroyWindow(static_cast<HWND>(window_));
}

NotifyTarget NotificationQueue::target() {
    return window_;
}

std::optional<Notification> NotificationQueue::next(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        if (PeekMessageA(&msg, static_cast<HWND>(window_), kNotificationMessage,
                         kNotificationMessage, PM_REMOVE)) {
            return Notification{msg.message, msg.wParam, static_cast<uintptr_t>(msg.lParam)};
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_POSTMESSAGE,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace scramblo::cli
