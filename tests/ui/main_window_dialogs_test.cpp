// The Options and About dialogs opened from the real main window, in the
// test's own process: the settings come from the registry of the test's Wine
// prefix, the buttons are clicked as a user clicks them, and the dialogs are
// answered from a second thread while the window sits in their modal loop.
#include <windows.h>
// The common controls' declarations need windows.h before them.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "interface_texts.h"
#include "main/main_dialog.h"
#include "main_dialog_ids.h"
#include "options_dialog_ids.h"
#include "reference_search.h"
#include "settings/settings_store.h"
#include "settings_registry.h"
#include "stalled_lexicon.h"
#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui {
namespace {

using namespace scramblo::testing;

// Ten words. "listen" is enlist, listen and silent; nil set, tin les and tin
// sel; and, with two-letter words allowed, lens it.
constexpr char kSmallLexicon[] = "listen\nsilent\nenlist\ntin\nsel\nles\nnil\nset\nlens\nit\n";
constexpr int kSmallWordCount = 10;

const std::string kDutchLexicon = DUTCH_LEXICON_FOLDER "/WoordenLijst.txt";
// Some 150,000 anagrams in the Dutch list: seconds of showing them, long
// enough for a dialog that opens late on a busy machine to see the search go
// on.
constexpr char kLongPhrase[] = "stille tranen";

// The anagrams as a set of lines, each with its words in alphabetical order:
// what was found, whatever the order of finding.
std::set<std::string> anagramSet(const std::string& resultsBox) {
    std::set<std::string> anagrams;
    std::istringstream lines(resultsBox);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::vector<std::string> sorted{std::istream_iterator<std::string>(words), {}};
        std::sort(sorted.begin(), sorted.end());
        std::string normal;
        for (const std::string& word : sorted) normal += (normal.empty() ? "" : " ") + word;
        anagrams.insert(normal);
    }
    return anagrams;
}

const std::vector<std::string>& longSearchAnagrams() {
    static const std::vector<std::string> anagrams = referenceAnagrams(kDutchLexicon, kLongPhrase);
    return anagrams;
}

class MainWindowDialogs : public ::testing::Test {
  protected:
    void SetUp() override { AppModule::init(GetModuleHandleA(nullptr), &loop_); }
    void TearDown() override { AppModule::term(); }

    // Creates the window as the program does, with the stored settings, and
    // waits for its first load to end.
    void open(MainDialog& dialog) {
        ASSERT_TRUE(dialog.create());
        ShowWindow(dialog.window(), SW_SHOW);
        ASSERT_TRUE(pumpUntil([&] { return loaded(dialog); }, 20000));
    }

    // Opens the window on the Dutch list and starts the long search; answers
    // once its first anagram is shown.
    void startLongSearch(MainDialog& dialog) {
        SettingsRegistry::putString(kLexiconPathValue, kDutchLexicon);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        find(dialog, kLongPhrase);
        ASSERT_TRUE(pumpUntil([&] { return text(dialog, IDT_MAIN_FOUND) != format(t.found, 0); }));
    }

    // Clicks a button of the main window that opens a modal dialog, and hands
    // that dialog to `answer` on a second thread. Answers whether it appeared.
    // During a search the dialog shows only once the window has caught up with
    // the notifications queued before the click, which can take seconds. The
    // answer closes the dialog with a posted click, as a user's click arrives:
    // a dialog ended inside a message sent from another thread drops the
    // notification that its modal loop takes next.
    bool clickAndAnswer(MainDialog& dialog, int button, const DialogAnswerer::Answer& answer) {
        DialogAnswerer answerer(
            [&](HWND modal) {
                answer(modal);
                // An answer cut short by a failed assertion must not leave the window waiting.
                if (!waitUntilGone(modal, 3000)) postButton(modal, IDCANCEL);
            },
            dialog.window(), 60000);
        SendMessageA(dialog.item(button), BM_CLICK, 0, 0);
        return answerer.finish();
    }

    static void find(MainDialog& dialog, const std::string& phrase) {
        SetDlgItemTextA(dialog.window(), IDE_MAIN_PHRASE, phrase.c_str());
        pumpPending();
        SendMessageA(dialog.item(IDB_MAIN_FIND), BM_CLICK, 0, 0);
    }

    // Searches the phrase and answers the anagrams listed once the search has ended.
    static std::set<std::string> anagramsOf(MainDialog& dialog, const std::string& phrase) {
        find(dialog, phrase);
        EXPECT_TRUE(pumpUntil([&] { return !searching(dialog); }));
        return anagramSet(text(dialog, IDE_MAIN_RESULTS));
    }

    static std::string text(const MainDialog& dialog, int id) {
        return windowText(dialog.item(id));
    }
    static bool loaded(const MainDialog& dialog) { return !text(dialog, IDT_MAIN_LEXICON).empty(); }
    static bool searching(const MainDialog& dialog) {
        return IsWindowEnabled(dialog.item(IDB_MAIN_STOP)) != FALSE;
    }
    static bool showsElapsedTime(const MainDialog& dialog) {
        std::string head(t.elapsed, std::strcspn(t.elapsed, "%"));
        return text(dialog, IDT_MAIN_LEXICON).compare(0, head.size(), head) == 0;
    }

    static void expectSearchGoesOn(MainDialog& dialog) {
        EXPECT_TRUE(searching(dialog));
        EXPECT_FALSE(dialog.finder().stopRequested());
        EXPECT_FALSE(showsElapsedTime(dialog));
    }

    // A search left alone runs to its end: every anagram shown, then its time.
    void expectSearchCompletes(MainDialog& dialog) {
        expectSearchGoesOn(dialog);
        ASSERT_TRUE(pumpUntil([&] { return !searching(dialog); }, 120000));
        EXPECT_TRUE(showsElapsedTime(dialog)) << text(dialog, IDT_MAIN_LEXICON);
        const std::vector<std::string>& expected = longSearchAnagrams();
        EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, static_cast<int>(expected.size())));
        EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
    }

    inline static const InterfaceTexts& t = expectedTexts();
    SettingsRegistry registry_;  // a first run, and no trace left behind
    MessageLoop loop_;
    TempFolder folder_;
};

TEST_F(MainWindowDialogs, StoredSettingsChooseTheLexiconAndSteerTheSearch) {
    std::string lexicon = folder_.write("woorden.txt", kSmallLexicon);
    SettingsRegistry::putString(kLexiconPathValue, lexicon);
    SettingsRegistry::putDword(kMaxWordCountValue, 1);
    {
        MainDialog dialog;
        ASSERT_TRUE(dialog.create());
        EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, lexicon.c_str()));
        ShowWindow(dialog.window(), SW_SHOW);
        ASSERT_TRUE(pumpUntil([&] { return loaded(dialog); }));
        EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, kSmallWordCount));
        EXPECT_EQ(anagramsOf(dialog, "listen"),
                  (std::set<std::string>{"enlist", "listen", "silent"}));
    }

    // Read at the next start only: two-letter words, any number of them.
    SettingsRegistry::putDword(kMaxWordCountValue, 0);
    SettingsRegistry::putDword(kMinWordLengthValue, 2);
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    EXPECT_EQ(anagramsOf(dialog, "listen"),
              (std::set<std::string>{"enlist", "listen", "silent", "nil set", "les tin", "sel tin",
                                     "it lens"}));
}

TEST_F(MainWindowDialogs, AMinimumWordLengthChosenInOptionsReachesTheWordsThatFitAtOnce) {
    SettingsRegistry::putString(kLexiconPathValue, folder_.write("woorden.txt", kSmallLexicon));
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    SetDlgItemTextA(dialog.window(), IDE_MAIN_PHRASE, "listen");
    auto listed = [&] { return SendMessageW(dialog.item(IDC_MAIN_WORDS), LVM_GETITEMCOUNT, 0, 0); };
    EXPECT_EQ(listed(), kSmallWordCount - 1);  // all but "it"
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
        SetDlgItemTextA(options, IDE_MIN_WORD_LENGTH, "5");
        postButton(options, IDOK);
    }));
    EXPECT_EQ(listed(), 3);  // enlist, listen and silent
}

TEST_F(MainWindowDialogs, OptionsDuringASearchShowItGoingOnAndOkWithTheSamePathLeavesItRunning) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(startLongSearch(dialog));
    bool linesArrived = false, progressMoved = false;
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
        EXPECT_FALSE(IsWindowEnabled(dialog.window()));
        std::string found = text(dialog, IDT_MAIN_FOUND);
        auto position = [&] {
            return SendMessageA(dialog.item(IDP_MAIN_PROGRESS), PBM_GETPOS, 0, 0);
        };
        LRESULT atOpen = position();
        progressMoved = waitUntil([&] { return position() != atOpen; });
        linesArrived = waitUntil([&] { return text(dialog, IDT_MAIN_FOUND) != found; });
        // New settings apply from the next search on.
        SetDlgItemTextA(options, IDE_MIN_WORD_LENGTH, "5");
        postButton(options, IDOK);
    }));
    EXPECT_TRUE(progressMoved);
    EXPECT_TRUE(linesArrived);
    EXPECT_EQ(dialog.settings().search.minWordLength, 5u);
    EXPECT_EQ(SettingsRegistry::dword(kMinWordLengthValue), 5u);
    expectSearchCompletes(dialog);
}

TEST_F(MainWindowDialogs, CancelLeavesARunningSearchAlone) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(startLongSearch(dialog));
    std::string other = folder_.write("woorden.txt", kSmallLexicon);
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
        SetDlgItemTextA(options, IDE_LEXICON_PATH, other.c_str());
        SetDlgItemTextA(options, IDE_MAX_WORD_COUNT, "5");
        postButton(options, IDCANCEL);
    }));
    EXPECT_EQ(dialog.settings().lexiconPath, kDutchLexicon);
    EXPECT_EQ(dialog.settings().search.maxWordCount, 0u);
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), kDutchLexicon + '\0');
    expectSearchCompletes(dialog);
}

TEST_F(MainWindowDialogs, AChangedPathStopsTheSearchAndLoadsTheNewLexicon) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(startLongSearch(dialog));
    std::string other = folder_.write("woorden.txt", kSmallLexicon);
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
        SetDlgItemTextA(options, IDE_LEXICON_PATH, other.c_str());
        postButton(options, IDOK);
    }));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, other.c_str()));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), "");
    EXPECT_FALSE(searching(dialog));
    ASSERT_TRUE(pumpUntil([&] { return loaded(dialog); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, kSmallWordCount));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), other + '\0');

    // Ready, on the new lexicon.
    EXPECT_EQ(
        anagramsOf(dialog, "listen"),
        (std::set<std::string>{"enlist", "listen", "silent", "nil set", "les tin", "sel tin"}));
}

TEST_F(MainWindowDialogs, OptionsOverAFloodOfAnagramsAnswerARealKeyAtOnce) {
    SettingsRegistry::putString(kLexiconPathValue, kDutchLexicon);
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    find(dialog, kLongPhrase);
    ASSERT_TRUE(pumpUntil([&] { return text(dialog, IDE_MAIN_RESULTS).size() > 20000; }));
    DWORD took = 0;
    bool closed = false;
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
        ASSERT_EQ(GetForegroundWindow(), options);
        DWORD pressed = GetTickCount();
        pressRealKey(VK_ESCAPE);
        closed = waitUntilGone(options, 1000);
        took = GetTickCount() - pressed;
    }));
    EXPECT_TRUE(closed) << "Escape in Options during a flood took " << took << " ms";
    EXPECT_TRUE(searching(dialog));
    SendMessageA(dialog.item(IDB_MAIN_STOP), BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return !searching(dialog); }));
}

TEST_F(MainWindowDialogs, AboutOpensOverTheMainWindowAndLeavesItWorking) {
    SettingsRegistry::putString(kLexiconPathValue, folder_.write("woorden.txt", kSmallLexicon));
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    RECT main;
    GetWindowRect(dialog.window(), &main);
    ASSERT_TRUE(clickAndAnswer(dialog, IDB_MAIN_ABOUT, [&](HWND about) {
        EXPECT_EQ(GetWindow(about, GW_OWNER), dialog.window());
        EXPECT_FALSE(IsWindowEnabled(dialog.window()));
        RECT own;
        GetWindowRect(about, &own);
        EXPECT_NEAR(own.left + own.right, main.left + main.right, 2);
        EXPECT_NEAR(own.top + own.bottom, main.top + main.bottom, 2);
        pressButton(about, IDOK);
    }));
    EXPECT_TRUE(IsWindowEnabled(dialog.window()));
    EXPECT_EQ(
        anagramsOf(dialog, "listen"),
        (std::set<std::string>{"enlist", "listen", "silent", "nil set", "les tin", "sel tin"}));
}

// A path held back for a replaced load that outlived its wait gives way to a
// later one: otherwise the window would end on the second path's two words.
TEST_F(MainWindowDialogs, APathChosenWhileAReplacedLoadEndsIsTheOneLoaded) {
    StalledLexicon stalled;
    SettingsRegistry::putString(kLexiconPathValue, stalled.path());
    MainDialog dialog;
    ASSERT_TRUE(dialog.create());
    ShowWindow(dialog.window(), SW_SHOW);
    ASSERT_TRUE(stalled.waitForReader());
    auto choose = [&](const std::string& path, const std::function<void()>& beforeOk) {
        return clickAndAnswer(dialog, IDB_MAIN_OPTIONS, [&](HWND options) {
            SetDlgItemTextA(options, IDE_LEXICON_PATH, path.c_str());
            beforeOk();
            pressButton(options, IDOK);
        });
    };
    // The stalled load outlives the second's wait for it, so the second path
    // waits for that load's end.
    ASSERT_TRUE(choose(folder_.write("tweede.txt", "alpha\nbeta\n"), [] {}));
    // The stalled load ends while the window waits for it for the third path.
    std::thread finisher;
    std::string third = folder_.write("derde.txt", kSmallLexicon);
    ASSERT_TRUE(choose(third, [&] {
        finisher = std::thread([&] {
            Sleep(300);
            stalled.finish("gamma\n");
        });
    }));
    finisher.join();
    ASSERT_TRUE(pumpUntil([&] { return loaded(dialog); }));
    pumpUntil([] { return false; }, 1000);  // nothing held back may follow
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, kSmallWordCount));
    EXPECT_EQ(dialog.settings().lexiconPath, third);
}

}  // namespace
}  // namespace scramblo::ui
