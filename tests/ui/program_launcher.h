// The program itself, as a user starts it: scramblo.exe started in a folder
// under the test's Wine prefix and driven from the test's own process through
// its windows' messages.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace scramblo::testing {

// A Unix path as Wine's Windows programs see it, with backslashes.
std::string windowsPath(std::string path);

// How many processes of this Wine prefix run the executable `name` now
// (compared without regard to case, e.g. "scramblo.exe").
int countProcesses(const char* name);

// scramblo.exe, started in a folder; ended by force if a test leaves it running.
class Program {
  public:
    explicit Program(const std::string& folder, const std::string& arguments = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    // The program's main window once it is visible, or none after the timeout.
    HWND window(DWORD timeoutMs = 20000);
    HWND item(int id) { return GetDlgItem(window(), id); }
    std::string text(int id);

    // A visible dialog of the program other than the main window (Options,
    // About, a message box), or none after the timeout.
    HWND waitForModal(DWORD timeoutMs = 10000);

    // Answers the exit code, or nothing when the program still runs after the timeout.
    std::optional<DWORD> exitCode(DWORD timeoutMs);

    // Types the phrase into the phrase box and presses Find.
    void find(const std::string& phrase);
    // Stop is enabled: a search runs.
    bool searching();

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace scramblo::testing
