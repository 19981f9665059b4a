// The program black-box on extreme input: a long phrase searched breadth
// first on the whole Dutch list, and a lexicon of millions of lines.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "program_process.h"
#include "settings_registry.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

constexpr SIZE_T kMemoryLimit = 200u << 20;

// What the process holds now: its private bytes and its working set, whichever is larger.
SIZE_T memoryInUse(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return std::max(counters.PagefileUsage, counters.WorkingSetSize);
}

std::set<DWORD> threadsOf(DWORD processId) {
    std::set<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == processId) threads.insert(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    return threads;
}

class ExtremeInput : public ::testing::Test {
  protected:
    SettingsRegistry registry_;  // a first run: breadth first, no limits
};

TEST_F(ExtremeInput, ABreadthFirstSearchOnThirtyLettersStaysSmallAndEndsAtStop) {
    ProgramProcess program(dutchLexiconFolder());
    ASSERT_TRUE(waitUntil([&] { return program.loaded(); }, 30000));
    DWORD processId = GetProcessId(program.process());
    std::set<DWORD> idle = threadsOf(processId);

    program.find("anagrammen zoeken voor langere zin");  // 30 letters
    ASSERT_TRUE(program.searching());
    // The search's worker is the one thread that was not there before.
    HANDLE worker = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        for (DWORD thread : threadsOf(processId)) {
            if (idle.count(thread) == 0) worker = OpenThread(SYNCHRONIZE, FALSE, thread);
        }
        return worker != nullptr;
    }));
    SIZE_T peak = 0;
    for (int sample = 0; sample < 40; ++sample) {
        Sleep(250);
        peak = std::max(peak, memoryInUse(program.process()));
    }
    ASSERT_GT(peak, 0u);
    EXPECT_LT(peak, kMemoryLimit);
    ASSERT_EQ(WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // A sent command is taken before anything queued: it returns with the stop flag up.
    SendMessageA(program.window(), WM_COMMAND, IDB_MAIN_STOP, 0);
    DWORD stopped = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(worker, 100), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD workerEnded = GetTickCount() - stopped;
    CloseHandle(worker);
    ASSERT_TRUE(waitUntil([&] { return !program.searching(); }));
    std::printf(
        "30 letters breadth first: %zu MB at most in 10 s; worker ended %lu ms after Stop, "
        "window ready after %lu ms\n",
        static_cast<size_t>(peak >> 20), workerEnded, GetTickCount() - stopped);

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), std::optional<DWORD>(0));
}

TEST_F(ExtremeInput, AFiveMillionLineLexiconLoadsWhileTheWindowAnswers) {
    constexpr uint32_t kLines = 5000000;
    // Distinct words: the Dutch list with numbered endings, as many times as it takes.
    TempFolder folder;
    std::string text;
    {
        std::ifstream dutch(DUTCH_LEXICON_FOLDER "/WoordenLijst.txt", std::ios::binary);
        std::vector<std::string> words;
        for (std::string word; std::getline(dutch, word);) words.push_back(word);
        ASSERT_FALSE(words.empty());
        std::set<std::string> distinct(words.begin(), words.end());
        words.assign(distinct.begin(), distinct.end());
        text.reserve(kLines * 16);
        for (uint32_t line = 0; line < kLines; ++line) {
            text += words[line % words.size()];
            text += std::to_string(line / words.size()) + "\r\n";
        }
    }
    folder.write("WoordenLijst.txt", text);
    text = std::string();

    const InterfaceTexts& t = expectedTexts();
    ProgramProcess program(folder.path());
    ASSERT_NE(program.window(), nullptr);
    DWORD start = GetTickCount();
    std::optional<DWORD> slowest = program.slowestAnswerWhile(
        [&] { return !program.loaded() && GetTickCount() - start < 180000; });
    ASSERT_TRUE(slowest) << "no answer within " << ProgramProcess::kLongestAnswerMs << " ms, "
                         << GetTickCount() - start << " ms into the load";
    ASSERT_TRUE(program.loaded()) << "the load did not end";
    EXPECT_EQ(program.text(IDT_MAIN_LEXICON), format(t.lexicon, static_cast<int>(kLines)));
    std::printf("%u lines loaded in %lu ms, %zu MB; slowest answer %lu ms\n", kLines,
                GetTickCount() - start, static_cast<size_t>(memoryInUse(program.process()) >> 20),
                *slowest);

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace scramblo::testing
