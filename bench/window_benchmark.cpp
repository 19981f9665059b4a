// How fast the real program shows a flood of anagrams under Wine, its window
// visible: lines shown per second for 200,000 anagrams of a generated lexicon
// and of a real search, the time from an Escape key press to the end of a
// search, and the program's peak memory; then how fast it takes a search that
// posts mostly progress. Run by scripts/bench-window; prints figures, asserts
// nothing.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "flood_lexicon.h"
#include "main_dialog_ids.h"
#include "settings/settings_store.h"
#include "program_process.h"
#include "reference_search.h"
#include "settings_registry.h"
#include "ui_test_support.h"

using namespace scramblo::testing;

namespace {

// The number that a display shows on its second line.
long displayedNumber(ProgramProcess& program, int id) {
    std::string text = program.text(id);
    size_t lineBreak = text.find('\n');
    return lineBreak == std::string::npos ? -1 : std::atol(text.c_str() + lineBreak + 1);
}

// A long phrase in the Dutch list with at most two words: a few hundred
// anagrams and, as every word is tried after every first word, some 13,000
// progress notifications. Answers whether the program ran it.
bool measureProgressBoundSearch() {
    const char phrase[] = "woordenlijstenmaker";
    constexpr uint32_t kMaxWords = 2;
    std::vector<Received> posted =
        referenceNotifications(dutchLexiconFolder() + "\\WoordenLijst.txt", phrase, kMaxWords);
    auto progress = std::count_if(posted.begin(), posted.end(), [](const Received& received) {
        return received.code == scramblo::SearchProgress;
    });

    SettingsRegistry registry;
    SettingsRegistry::putDword(scramblo::kMaxWordCountValue, kMaxWords);
    ProgramProcess program(dutchLexiconFolder());
    if (program.window() == nullptr ||
        !waitUntil([&] { return displayedNumber(program, IDT_MAIN_LEXICON) > 0; }, 60000)) {
        return false;
    }
    program.find(phrase);
    DWORD start = GetTickCount();
    bool ended = waitUntil([&] { return !program.searching(); }, 600000);
    DWORD elapsed = GetTickCount() - start;
    std::printf("%s: %zu notifications, %ld of them progress, taken in %lu ms: %.0f per second\n",
                ended ? "progress-bound search" : "UNFINISHED progress-bound search", posted.size(),
                static_cast<long>(progress), elapsed,
                posted.size() * 1000.0 / (elapsed ? elapsed : 1));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    return program.exitCode(5000) == 0u;
}

// Shows `count` anagrams of `phrase` in the program started in `folder`,
// whose lexicon is that folder's WoordenLijst.txt: lines shown per second,
// then Escape during a second search, and the program's peak memory. Answers
// whether the program ran it all.
bool measureFlood(const char* name, const std::string& folder, const std::string& phrase,
                  long count) {
    std::printf("%s:\n", name);
    ProgramProcess program(folder);
    if (program.window() == nullptr ||
        !waitUntil([&] { return displayedNumber(program, IDT_MAIN_LEXICON) > 0; }, 60000)) {
        std::printf("  the program did not start\n");
        return false;
    }

    program.find(phrase);
    DWORD start = GetTickCount();
    bool complete = waitUntil(
        [&] { return !program.searching() && displayedNumber(program, IDT_MAIN_FOUND) == count; },
        600000);
    DWORD elapsed = GetTickCount() - start;
    std::printf("  %s: %ld lines shown in %lu ms: %.0f lines per second\n",
                complete ? "complete" : "INCOMPLETE", count, elapsed,
                count * 1000.0 / (elapsed ? elapsed : 1));

    program.find(phrase);
    waitUntil([&] { return displayedNumber(program, IDT_MAIN_FOUND) >= 20000; });
    SetForegroundWindow(program.window());
    DWORD pressed = GetTickCount();
    pressRealKey(VK_ESCAPE);
    bool stopped = waitUntil([&] { return !program.searching(); }, 10000);
    std::printf("  Escape to the end of the search: %lu ms%s, at line %ld\n",
                GetTickCount() - pressed, stopped ? "" : " (NOT STOPPED)",
                displayedNumber(program, IDT_MAIN_FOUND));

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(program.process(), &memory, sizeof memory);
    std::printf("  peak memory of the program: %.1f MB working set, %.1f MB committed\n",
                memory.PeakWorkingSetSize / 1048576.0, memory.PagefileUsage / 1048576.0);

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    return complete && stopped && program.exitCode(5000) == 0u;
}

}  // namespace

int main() {
    // A lexicon whose anagrams the engine finds far faster than any window
    // shows them, and a real search as a user makes it: the first 200,000
    // anagrams of "william shakespeare" breadth first, whose search also
    // posts a progress tick for about every three anagrams.
    FloodLexicon flood = floodLexicon({8, 8, 5, 5, 5, 5, 5});
    TempFolder generated, american;
    generated.write("WoordenLijst.txt", flood.words);
    american.write("WoordenLijst.txt", americanLowerCaseWords());
    constexpr uint32_t kRealCount = 200000;
    bool ran = measureFlood("generated lexicon", generated.path(), flood.phrase,
                            static_cast<long>(flood.anagramCount));
    {
        SettingsRegistry registry;
        SettingsRegistry::putDword(scramblo::kMaxAnagramCountValue, kRealCount);
        ran = ran && measureFlood("wamerican's lower-case words, \"william shakespeare\"",
                                  american.path(), "william shakespeare", kRealCount);
        // The same with the best first shown: ranked and written as they come.
        SettingsRegistry::putDword(scramblo::kBestFirstValue, 1);
        ran = ran && measureFlood("the same, best first shown", american.path(),
                                  "william shakespeare", kRealCount);
    }
    return ran && measureProgressBoundSearch() ? 0 : 1;
}
