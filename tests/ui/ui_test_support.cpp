#include "ui_test_support.h"

#include <atomic>
#include <filesystem>
#include <fstream>
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
    std::string text = windowText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        *reinterpret_cast<std::string*>(param) += "|" + text;
    }
    return TRUE;
}

}  // namespace

std::string windowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText, which answers only the caption of
    // another process's window.
    std::vector<char> text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    MSG msg;
    // One message at a time: a flood of notifications must not hide `done`.
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(msg);
            continue;
        }
        if (ui::MessageLoop* loop = ui::AppModule::messageLoop()) loop->runIdleHandlers();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(20);
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

DialogAnswerer::DialogAnswerer(Answer answer, HWND except, DWORD timeoutMs) {
    DWORD uiThread = GetCurrentThreadId();
    thread_ = std::thread([this, answer, except, timeoutMs, uiThread] {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            if (HWND dialog = findDialog(uiThread, except)) {
                Sleep(50);  // let the dialog finish initialising
                texts_ = windowText(dialog);
                EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts_));
                answer(dialog);
                answered_ = true;
                return;
            }
            Sleep(20);
        }
    });
}

DialogAnswerer::~DialogAnswerer() {
    if (thread_.joinable()) thread_.join();
}

void pressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    auto folder =
        std::filesystem::temp_directory_path() /
        ("scramblo-ui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(folder);
    path_ = folder.string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::string file = (std::filesystem::path(path_) / name).string();
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

}  // namespace scramblo::testing
