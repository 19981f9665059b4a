#include "program_process.h"

#include <tlhelp32.h>

#include <algorithm>

#include "main_dialog_ids.h"
#include "settings/wide_text.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

struct WindowSearch {
    DWORD process;
    HWND except;
    HWND found;
};

// The first visible top-level window of the process other than `except`.
HWND findVisibleWindow(DWORD process, HWND except) {
    WindowSearch search{process, except, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<WindowSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->process || window == search->except || !IsWindowVisible(window))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::wstring wide(const std::string& text) {
    return toUtf16(text);
}

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const std::string& programPath() {
    static const std::string path = windowsPath(SCRAMBLO_EXE);
    return path;
}

const std::string& dutchLexiconFolder() {
    static const std::string path = windowsPath(DUTCH_LEXICON_FOLDER);
    return path;
}

std::optional<std::string> unwritableFolder() {
    std::string folder = windowsPath(UNWRITABLE_FOLDER);
    DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    HANDLE probe = CreateFileW(wide(folder + "\\probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return folder;
    CloseHandle(probe);
    return std::nullopt;
}

int countProcesses(const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, name) == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

ProgramProcess::ProgramProcess(const std::string& folder, const std::string& arguments) {
    start(wide(programPath()), wide("\"" + programPath() + "\" " + arguments), wide(folder));
}

ProgramProcess::ProgramProcess(const std::wstring& program, const std::wstring& folder) {
    start(program, L"\"" + program + L"\"", folder);
}

void ProgramProcess::start(const std::wstring& program, std::wstring commandLine,
                           const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &process_)) {
        CloseHandle(process_.hThread);
    } else {
        process_ = {};
    }
}

ProgramProcess::~ProgramProcess() {
    if (!started()) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
}

HWND ProgramProcess::window(DWORD timeoutMs) {
    if (window_ == nullptr && started()) {
        waitUntil(
            [this] {
                return (window_ = findVisibleWindow(process_.dwProcessId, nullptr)) != nullptr;
            },
            timeoutMs);
    }
    return window_;
}

std::string ProgramProcess::text(int id) {
    return windowText(item(id));
}

HWND ProgramProcess::waitForModal(DWORD timeoutMs) {
    HWND main = window();
    HWND modal = nullptr;
    waitUntil([&] { return (modal = findVisibleWindow(process_.dwProcessId, main)) != nullptr; },
              timeoutMs);
    return modal;
}

void ProgramProcess::find(const std::string& phrase) {
    SendMessageW(item(IDE_MAIN_PHRASE), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(wide(phrase).c_str()));
    SendMessageA(window(), WM_COMMAND, IDB_MAIN_FIND, 0);
}

void ProgramProcess::clickCloseBox() {
    // The close box is the rightmost button of the caption, inside the frame.
    RECT frame;
    GetWindowRect(window(), &frame);
    int x = frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) / 2;
    int y = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    INPUT mouse[3] = {};
    for (INPUT& event : mouse) event.type = INPUT_MOUSE;
    mouse[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    mouse[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    mouse[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    mouse[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    mouse[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, mouse, sizeof(INPUT));
}

bool ProgramProcess::searching() {
    return IsWindowEnabled(item(IDB_MAIN_STOP)) != FALSE;
}

bool ProgramProcess::loaded() {
    return !text(IDT_MAIN_LEXICON).empty();
}

std::optional<DWORD> ProgramProcess::slowestAnswerWhile(const std::function<bool()>& busy) {
    DWORD slowest = 0;
    while (busy()) {
        DWORD asked = GetTickCount();
        DWORD_PTR ignored;
        if (!SendMessageTimeoutA(window(), WM_NULL, 0, 0, SMTO_NORMAL, kLongestAnswerMs,
                                 &ignored)) {
            return std::nullopt;
        }
        slowest = std::max(slowest, GetTickCount() - asked);
        Sleep(100);
    }
    return slowest;
}

std::optional<DWORD> ProgramProcess::exitCode(DWORD timeoutMs) {
    DWORD code;
    if (!started() || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &code)) {
        return std::nullopt;
    }
    return code;
}

}  // namespace scramblo::testing
