// scramblo.exe as a user starts it: its own process in a folder with its
// lexicon, driven from the test through its window's messages.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace scramblo::testing {

// UTF-8 text as UTF-16.
std::wstring wide(const std::string& text);

// A Unix path as Wine's Windows programs see it, with backslashes.
std::string windowsPath(std::string path);

// The program built in this tree, and the folder holding the default lexicon
// (the Dutch word list) built for the tests.
const std::string& programPath();
const std::string& dutchLexiconFolder();
// The folder that the tests' set-up makes unwritable (see
// scripts/unwritable-folder); none when it is missing or takes a new file.
std::optional<std::string> unwritableFolder();

// How many processes of this Wine prefix run the executable `name` now
// (compared without regard to case, e.g. "scramblo.exe").
int countProcesses(const char* name);

class ProgramProcess {
  public:
    // Starts the program in `folder`; a program still running at the end is ended by force.
    explicit ProgramProcess(const std::string& folder, const std::string& arguments = "");
    // Starts `program` in `folder`, as a shortcut with that working folder does.
    ProgramProcess(const std::wstring& program, const std::wstring& folder);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    HANDLE process() const { return process_.hProcess; }
    // The program's main window once it is visible, or none after the timeout.
    HWND window(DWORD timeoutMs = 20000);
    HWND item(int id) { return GetDlgItem(window(), id); }
    std::string text(int id);

    // A visible window of the program other than the main window (Options,
    // About, a message box), or none after the timeout.
    HWND waitForModal(DWORD timeoutMs = 10000);

    // Types the phrase and presses Find; returns once the window has taken the command.
    void find(const std::string& phrase);
    // Clicks the close box of the window's title bar, as a user does.
    void clickCloseBox();
    // A job runs whose end the window has not handled yet.
    bool searching();
    // The window shows the lexicon's word count: its first load has ended.
    bool loaded();

    // Asks the window for an answer every 100 ms while `busy` holds. Answers the
    // slowest answer's time, or none once the window took longer than
    // kLongestAnswerMs: a user would take the window for hung. (A quiet
    // machine answers within about 150 ms during a flood; the bound leaves
    // room for a busy one.)
    std::optional<DWORD> slowestAnswerWhile(const std::function<bool()>& busy);
    static constexpr DWORD kLongestAnswerMs = 500;

    // The exit code, or none when the program still runs after the timeout.
    std::optional<DWORD> exitCode(DWORD timeoutMs);

  private:
    void start(const std::wstring& program, std::wstring commandLine, const std::wstring& folder);

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace scramblo::testing
