#include "message_loop.h"

#include <algorithm>

namespace scramblo::ui {
namespace {

constexpr UINT kSystemTimer = 0x0118;

template <typename T>
void removeFrom(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void MessageLoop::addMessageFilter(MessageFilter* filter) {
    filters_.push_back(filter);
}
void MessageLoop::removeMessageFilter(MessageFilter* filter) {
    removeFrom(filters_, filter);
}
void MessageLoop::addIdleHandler(IdleHandler* handler) {
    idleHandlers_.push_back(handler);
}
void MessageLoop::removeIdleHandler(IdleHandler* handler) {
    removeFrom(idleHandlers_, handler);
}

bool MessageLoop::preTranslateMessage(MSG& msg) {
    // Newest first, so a filter added later can claim a message before older ones.
    for (auto it = filters_.rbegin(); it != filters_.rend(); ++it) {
        if ((*it)->preTranslateMessage(msg)) return true;
    }
    return false;
}

void MessageLoop::runIdleHandlers() {
    // A handler may remove itself while it runs.
    std::vector<IdleHandler*> handlers = idleHandlers_;
    for (IdleHandler* handler : handlers) handler->onIdle();
}

bool MessageLoop::isIdleMessage(const MSG& msg) {
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_PAINT:
        case kSystemTimer:
            return false;
        default:
            return true;
    }
}

void MessageLoop::dispatch(MSG& msg) {
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // back in the queue, to end the loop
    } else if (!preTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool MessageLoop::takeInput(MSG& msg) {
    // Keys and the mouse come first, and so do the characters made from keys,
    // which the system posts behind whatever else is queued.
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT) &&
        !PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        return false;
    }
    // A peek for input of any message number also hands out the quit
    // request, which is no input: it goes back for the loop to end on.
    if (msg.message != WM_QUIT) return true;
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
}

int MessageLoop::run() {
    bool idlePending = true;
    MSG msg;
    for (;;) {
        if (idlePending && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            runIdleHandlers();
            idlePending = false;
        }
        if (!takeInput(msg) && GetMessageW(&msg, nullptr, 0, 0) == -1) continue;
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        dispatch(msg);
        if (isIdleMessage(msg)) idlePending = true;
    }
}

}  // namespace scramblo::ui
