// The program itself, as a user starts it: scramblo.exe in a folder with its
// lexicon, driven from this process through its window's messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "reference_search.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const std::string kDutchFolder = windowsPath(DUTCH_LEXICON_FOLDER);

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// scramblo.exe started in a folder; ended by force if a test leaves it running.
class Program {
  public:
    Program(const std::string& folder, const std::string& arguments = "") {
        std::string exe = windowsPath(SCRAMBLO_EXE);
        std::string commandLine = "\"" + exe + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &process_)) {
            CloseHandle(process_.hThread);
        }
    }
    ~Program() {
        if (process_.hProcess == nullptr) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hProcess);
    }

    // The program's main window, once it is visible.
    HWND window() {
        if (window_ == nullptr) waitFor([this] { return (window_ = findWindow()) != nullptr; });
        return window_;
    }
    HWND item(int id) { return GetDlgItem(window(), id); }
    std::string text(int id) { return windowText(item(id)); }

    // Answers the exit code, or nothing when the program still runs after the timeout.
    std::optional<DWORD> exitCode(DWORD timeoutMs) {
        DWORD code;
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.hProcess, &code)) {
            return std::nullopt;
        }
        return code;
    }

    void find(const std::string& phrase) {
        SendMessageA(item(IDE_MAIN_PHRASE), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(phrase.c_str()));
        PostMessageA(window(), WM_COMMAND, IDB_MAIN_FIND, 0);
    }
    bool searching() { return IsWindowEnabled(item(IDB_MAIN_STOP)) != FALSE; }

  private:
    HWND findWindow() {
        struct Search {
            DWORD process;
            HWND found;
        } search{process_.dwProcessId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* search = reinterpret_cast<Search*>(param);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process != search->process || !IsWindowVisible(window)) return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

TEST(ProgramTest, StartUpLoadsTheLexiconInItsFolderSearchesAndEndsWithExitCodeZero) {
    const InterfaceTexts& t = expectedTexts();
    TempFolder folder;
    std::string lexicon =
        folder.write("WoordenLijst.txt", "listen\r\nsilent\r\ntin\r\nsel\r\nles\r\n");
    Program program(folder.path(), "--ignored /x \"any thing\"");
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(windowText(program.window()), t.title);
    ASSERT_TRUE(waitFor([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 5); }))
        << program.text(IDT_MAIN_LEXICON);

    program.find("Silent");
    ASSERT_TRUE(waitFor([&] { return program.text(IDT_MAIN_FOUND) == format(t.found, 4); }));
    ASSERT_TRUE(waitFor([&] { return !program.searching(); }));
    std::vector<std::string> expected = referenceAnagrams(lexicon, "Silent");
    EXPECT_EQ(program.text(IDE_MAIN_RESULTS), joinLines(expected, expected.size()));

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

TEST(ProgramTest, CloseDuringTheLoadEndsTheProgramWithExitCodeZero) {
    Program program(kDutchFolder);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(program.text(IDT_MAIN_LEXICON), "");  // still loading
    DWORD start = GetTickCount();
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
    std::printf("closed during the load: ended after %lu ms\n", GetTickCount() - start);
}

TEST(ProgramTest, CloseDuringALongSearchEndsTheProgramWithExitCodeZero) {
    const InterfaceTexts& t = expectedTexts();
    Program program(kDutchFolder);
    ASSERT_TRUE(waitFor([&] { return !program.text(IDT_MAIN_LEXICON).empty(); }));
    program.find("anagrammenlijst");  // millions of anagrams, minutes of searching
    ASSERT_TRUE(waitFor([&] { return program.text(IDT_MAIN_FOUND) != format(t.found, 0); }));
    DWORD start = GetTickCount();
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(3000), 0u);
    std::printf("closed during a search: ended after %lu ms\n", GetTickCount() - start);
}

}  // namespace
}  // namespace scramblo::testing
