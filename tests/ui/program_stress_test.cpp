// The program under stress, black-box: many runs that close the main window at
// a random moment, and a burst of lexicon changes through the Options dialog
// during a search. The seed is printed with every failure so that a run can be
// replayed with SCRAMBLO_STRESS_SEED; SCRAMBLO_STRESS_RUNS sets the number of
// closing runs (50 by default).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "settings/settings_store.h"
#include "options_dialog_ids.h"
#include "program_process.h"
#include "settings_registry.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

const std::string kDutchLexicon = dutchLexiconFolder() + "\\WoordenLijst.txt";
// With at most two words, seconds of searching in the Dutch list and a
// steady trickle of anagrams.
constexpr char kLongPhrase[] = "woordenlijstenmaker";
constexpr uint32_t kMaxWordCount = 2;
constexpr char kExe[] = "scramblo.exe";
constexpr DWORD kExitLimitMs = 5000;

unsigned environmentNumber(const char* name, unsigned fallback) {
    char text[16];
    DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    return length > 0 && length < sizeof text ? std::strtoul(text, nullptr, 10) : fallback;
}

unsigned seed() {
    static const unsigned value = environmentNumber("SCRAMBLO_STRESS_SEED", 20261208);
    return value;
}

// The window's own close message, sent as the close box and Alt+F4 send it
// (their click or key is input, which the window takes before the notifications
// queued for it); with a dialog open, to the main window behind it.
void closeWindow(HWND window) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kExitLimitMs, &ignored);
}

// Where the window is when it is told to close.
enum class Moment { Loading, Searching, InOptions, InAbout };
const char* const kMomentNames[] = {"loading", "searching", "in Options", "in About"};

// What runs behind a modal dialog.
enum class Background { Load, Idle, Search };
const char* const kBackgroundNames[] = {"during the load", "when ready", "during a search"};

class ProgramStress : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(countProcesses(kExe), 0) << "a program is still running";
        SettingsRegistry::putDword(kMaxWordCountValue, kMaxWordCount);
    }

    // Every run starts with the default lexicon in the program's folder.
    SettingsRegistry registry;
    std::mt19937 random{seed()};
};

TEST_F(ProgramStress, ClosingAtARandomMomentAlwaysEndsTheProgramWithExitCodeZero) {
    const unsigned runs = environmentNumber("SCRAMBLO_STRESS_RUNS", 50);
    std::printf("%u runs, seed %u (SCRAMBLO_STRESS_SEED replays them)\n", runs, seed());
    std::uniform_int_distribution<int> moments(0, 3), backgrounds(0, 2);
    // A search leaves the window more to catch up with the longer it runs.
    std::uniform_int_distribution<DWORD> shortDelays(0, 600), searchDelays(0, 3000);
    DWORD slowest = 0;
    for (unsigned run = 1; run <= runs; ++run) {
        auto moment = static_cast<Moment>(moments(random));
        auto background = static_cast<Background>(backgrounds(random));
        DWORD delay = moment == Moment::Searching ? searchDelays(random) : shortDelays(random);
        std::string what = kMomentNames[static_cast<int>(moment)];
        if (moment == Moment::InOptions || moment == Moment::InAbout)
            what += std::string(" ") + kBackgroundNames[static_cast<int>(background)];
        SCOPED_TRACE("run " + std::to_string(run) + " of seed " + std::to_string(seed()) + ": " +
                     what);

        ProgramProcess program(dutchLexiconFolder());
        ASSERT_NE(program.window(), nullptr);
        bool stillLoading = true;
        if (moment == Moment::Searching || background != Background::Load) {
            ASSERT_TRUE(waitUntil([&] { return program.loaded(); }, 20000));
            stillLoading = false;
        }
        if (moment == Moment::Searching || background == Background::Search) {
            program.find(kLongPhrase);
            ASSERT_TRUE(waitUntil([&] { return program.searching(); }));
        }
        if (moment == Moment::InOptions || moment == Moment::InAbout) {
            DWORD clicked = GetTickCount();
            postButton(program.window(),
                       moment == Moment::InOptions ? IDB_MAIN_OPTIONS : IDB_MAIN_ABOUT);
            // During a search the click waits behind the notifications queued
            // before it, and the dialog shows once the window has caught up.
            ASSERT_NE(program.waitForModal(60000), nullptr);
            what += " (open after " + std::to_string(GetTickCount() - clicked) + " ms)";
        }
        Sleep(delay);
        if (moment == Moment::Loading) stillLoading = !program.loaded();

        DWORD start = GetTickCount();
        closeWindow(program.window());
        std::optional<DWORD> code = program.exitCode(kExitLimitMs);
        DWORD took = GetTickCount() - start;
        std::printf("run %2u: %-50s after %4lu ms%s: %s in %lu ms\n", run, what.c_str(), delay,
                    moment == Moment::Loading && !stillLoading ? " (load had ended)" : "",
                    code ? ("exit " + std::to_string(*code)).c_str() : "still running", took);
        EXPECT_EQ(code, std::optional<DWORD>(0));
        EXPECT_EQ(countProcesses(kExe), code ? 0 : 1);
        slowest = std::max(slowest, took);
        if (HasFailure()) break;
    }
    std::printf("slowest exit: %lu ms\n", slowest);
}

TEST_F(ProgramStress, ClosingDuringALongLoadEndsTheProgramSoonerThanTheLoadWould) {
    // Ten million words: a load that takes the program many seconds.
    TempFolder folder;
    std::string words;
    for (int i = 0; i < 10000000; ++i) words += "w" + std::to_string(i) + "\n";
    folder.write("WoordenLijst.txt", words);
    words = std::string();

    DWORD fullLoad;
    {
        ProgramProcess program(folder.path());
        ASSERT_NE(program.window(), nullptr);
        DWORD start = GetTickCount();
        ASSERT_TRUE(waitUntil([&] { return program.loaded(); }, 300000));
        fullLoad = GetTickCount() - start;
        closeWindow(program.window());
        ASSERT_EQ(program.exitCode(60000), std::optional<DWORD>(0));
    }

    ProgramProcess program(folder.path());
    ASSERT_NE(program.window(), nullptr);
    Sleep(3000);
    ASSERT_FALSE(program.loaded()) << "the load must outlast three seconds";
    DWORD start = GetTickCount();
    closeWindow(program.window());
    std::optional<DWORD> code = program.exitCode(fullLoad + 2000);
    DWORD took = GetTickCount() - start;
    std::printf(
        "a full load of 10,000,000 words: %lu ms; closed 3 s into it, the program ended "
        "after %lu ms\n",
        fullLoad, took);
    EXPECT_EQ(code, std::optional<DWORD>(0));
}

struct Lexicon {
    std::string path;
    uint32_t words;
};

// Lexicons of many sizes, the largest taking longer to load than the window
// waits for a replaced job: prefixes of the Dutch list in four spellings
// ("boek", "boek1", "boek2", "boek3" have one key).
std::vector<Lexicon> writePrefixes(const TempFolder& folder, int count) {
    std::ifstream dutch(DUTCH_LEXICON_FOLDER "/WoordenLijst.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string word; std::getline(dutch, word);) {
        for (const char* suffix : {"", "1", "2", "3"}) lines.push_back(word + suffix + "\n");
    }
    std::vector<Lexicon> lexicons;
    for (int i = 0; i < count; ++i) {
        size_t size = lines.size() * static_cast<size_t>(i + 1) / static_cast<size_t>(count);
        std::string text;
        for (size_t line = 0; line < size; ++line) text += lines[line];
        std::string path = folder.write("lexicon" + std::to_string(i) + ".txt", text);
        std::ifstream stream(path, std::ios::binary);
        lexicons.push_back({path, Finder().loadLexicon(stream)});
    }
    return lexicons;
}

TEST_F(ProgramStress, TwentyLexiconChangesDuringASearchEndReadyWithTheLastOne) {
    const InterfaceTexts& t = expectedTexts();
    TempFolder folder;
    std::vector<Lexicon> lexicons = writePrefixes(folder, 20);
    std::shuffle(lexicons.begin(), lexicons.end(), random);
    ProgramProcess program(dutchLexiconFolder());
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return program.loaded(); }, 20000));
    program.find(kLongPhrase);
    ASSERT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_FOUND) != format(t.found, 0); }));

    DWORD start = GetTickCount();
    for (const Lexicon& lexicon : lexicons) {
        postButton(program.window(), IDB_MAIN_OPTIONS);
        HWND options = program.waitForModal(60000);  // the first waits behind the search
        ASSERT_NE(options, nullptr);
        SendDlgItemMessageA(options, IDE_LEXICON_PATH, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(lexicon.path.c_str()));
        postButton(options, IDOK);
        ASSERT_TRUE(waitUntilGone(options));
    }
    const Lexicon& last = lexicons.back();
    ASSERT_TRUE(waitUntil([&] { return program.loaded(); }, 30000));
    std::printf("20 changes and the last load took %lu ms\n", GetTickCount() - start);
    // Nothing that was still on its way may replace the last lexicon.
    Sleep(500);
    EXPECT_EQ(program.text(IDT_MAIN_LEXICON), format(t.lexicon, last.words));
    EXPECT_EQ(program.text(IDE_MAIN_RESULTS), "");
    EXPECT_FALSE(program.searching());
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), last.path + '\0');

    closeWindow(program.window());
    EXPECT_EQ(program.exitCode(kExitLimitMs), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace scramblo::testing
