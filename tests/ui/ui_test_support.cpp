#include "ui_test_support.h"

#include <vector>

#include "toolkit/app_module.h"
#include "toolkit/message_loop.h"

namespace scramblo::testing {
namespace {

void dispatch(MSG& msg) {
    ui::MessageLoop* loop = ui::AppModule::messageLoop();
    if (loop != nullptr && loop->preTranslateMessage(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

struct DialogSearch {
    HWND except;
    HWND found;
};

BOOL CALLBACK checkDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (window != search->except && IsWindowVisible(window) && std::string(className) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        auto* texts = reinterpret_cast<std::string*>(param);
        *texts += "|" + windowText(child);
    }
    return TRUE;
}

}  // namespace

std::string windowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        bool any = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(msg);
            any = true;
        }
        if (ui::MessageLoop* loop = ui::AppModule::messageLoop()) loop->runIdleHandlers();
        if (!any) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(msg);
    if (ui::MessageLoop* loop = ui::AppModule::messageLoop()) loop->runIdleHandlers();
}

HWND findDialog(DWORD thread, HWND except) {
    DialogSearch search{except, nullptr};
    EnumThreadWindows(thread, checkDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(20);
    }
    return true;
}

HWND waitForDialog(DWORD thread, HWND except, DWORD timeoutMs) {
    HWND dialog = nullptr;
    if (!waitUntil([&] { return (dialog = findDialog(thread, except)) != nullptr; }, timeoutMs))
        return nullptr;
    Sleep(50);  // let the dialog finish initialising
    return dialog;
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    return waitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

HWND focusOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

DialogAnswerer::DialogAnswerer(Answer answer, HWND except, DWORD timeoutMs) {
    DWORD uiThread = GetCurrentThreadId();
    thread_ = std::thread([this, answer, except, timeoutMs, uiThread] {
        if (HWND dialog = waitForDialog(uiThread, except, timeoutMs)) {
            texts_ = windowText(dialog);
            EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts_));
            answer(dialog);
            answered_ = true;
        }
    });
}

DialogAnswerer::~DialogAnswerer() {
    finish();
}

bool DialogAnswerer::finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

void pressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void postButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressKey(HWND control, UINT key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

}  // namespace scramblo::testing
