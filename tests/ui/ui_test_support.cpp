#include "ui_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "settings/wide_text.h"
#include "toolkit/app_module.h"
#include "toolkit/message_loop.h"

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

std::ostream& operator<<(std::ostream& out, const RECT& rect) {
    return out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom
               << ")";
}

namespace scramblo::testing {
namespace {

void dispatch(MSG& msg) {
    ui::MessageLoop* loop = ui::AppModule::messageLoop();
    if (loop != nullptr && loop->preTranslateMessage(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
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

// The dialog that whileModal looks for, and what to do with it. A thread timer
// has no parameter of its own.
thread_local const std::function<void(HWND)>* modalVisit = nullptr;

void CALLBACK visitModalDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = findDialog(GetCurrentThreadId());
    if (dialog == nullptr || modalVisit == nullptr) return;
    KillTimer(nullptr, timer);
    (*modalVisit)(dialog);
    if (IsWindowVisible(dialog)) pressButton(dialog, IDCANCEL);
}

}  // namespace

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    MSG msg;
    // One message at a time: a flood of notifications must not hide `done`.
    // Input first, as the program's loop takes it: behind a flood of posted
    // notifications it would wait for ever, and the window would cut its
    // gatherings short for it.
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        if (ui::MessageLoop::takeInput(msg) || PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(msg);
            continue;
        }
        if (ui::MessageLoop* loop = ui::AppModule::messageLoop()) loop->runIdleHandlers();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(msg);
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

std::string dialogTexts(HWND dialog) {
    std::string texts = windowText(dialog);
    EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

DialogAnswerer::DialogAnswerer(Answer answer, HWND except, DWORD timeoutMs) {
    DWORD uiThread = GetCurrentThreadId();
    thread_ = std::thread([this, answer, except, timeoutMs, uiThread] {
        if (HWND dialog = waitForDialog(uiThread, except, timeoutMs)) {
            texts_ = dialogTexts(dialog);
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

CurrentFolder::CurrentFolder(const std::string& folder) {
    std::vector<wchar_t> previous(GetCurrentDirectoryW(0, nullptr));
    GetCurrentDirectoryW(static_cast<DWORD>(previous.size()), previous.data());
    previous_ = previous.data();
    SetCurrentDirectoryW(toUtf16(folder).c_str());
}

CurrentFolder::~CurrentFolder() {
    SetCurrentDirectoryW(previous_.c_str());
}

void pressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND findTooltip(HWND owner) {
    HWND tip = nullptr;
    while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        if (GetWindow(tip, GW_OWNER) == owner) return tip;
    }
    return nullptr;
}

INT_PTR whileModal(const std::function<INT_PTR()>& open,
                   const std::function<void(HWND dialog)>& inside) {
    modalVisit = &inside;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, visitModalDialog);
    INT_PTR result = open();
    KillTimer(nullptr, timer);
    modalVisit = nullptr;
    return result;
}

RECT screenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT placeInParent(HWND control) {
    RECT place = screenRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

int imageWidth(HICON image) {
    ICONINFO info{};
    if (!GetIconInfo(image, &info)) return 0;
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

RECT sendDpiChange(HWND window, UINT dpi, UINT dpiBefore) {
    RECT now = screenRect(window);
    RECT suggested{
        now.left, now.top,
        now.left + MulDiv(now.right - now.left, static_cast<int>(dpi), static_cast<int>(dpiBefore)),
        now.top + MulDiv(now.bottom - now.top, static_cast<int>(dpi), static_cast<int>(dpiBefore))};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

Picture::Picture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width_ * height_; ++i) {
        DWORD pixel = source[i];  // 0x00RRGGBB
        pixels_.push_back(RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel)));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

int Picture::count(COLORREF colour) const {
    return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), colour));
}

void postButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressRealKey(WORD key, WORD modifier) {
    std::vector<INPUT> keys;
    auto add = [&keys](WORD code, DWORD flags) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = code;
        event.ki.dwFlags = flags;
        keys.push_back(event);
    };
    if (modifier != 0) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier != 0) add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void pressKey(HWND control, UINT key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

}  // namespace scramblo::testing
