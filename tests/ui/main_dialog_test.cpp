// The main window in the test's own process: created from its template, driven
// with messages and read back through its controls.
#include "main/main_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "cli_process.h"
#include "flood_lexicon.h"
#include "interface_texts.h"
#include "jobs/anagram_text.h"
#include "ranking/best_anagrams.h"
#include "main_dialog_fixture.h"
#include "main_dialog_ids.h"
#include "options/window_placement_store.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "program_process.h"
#include "reference_search.h"
#include "settings/settings_store.h"
#include "settings/wide_text.h"
#include "settings_registry.h"
#include "stalled_lexicon.h"
#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> tabTexts(const MainDialog& dialog) {
    HWND tabs = dialog.item(IDC_MAIN_VIEW);
    std::vector<std::string> texts;
    for (int i = 0; i < SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
        wchar_t name[64] = {};
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = name;
        tab.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&tab));
        texts.push_back(toUtf8(name));
    }
    return texts;
}

// The lines of a box, as the window joins them.
std::vector<std::string> linesOf(const std::string& box) {
    std::vector<std::string> lines;
    for (size_t at = 0; !box.empty();) {
        size_t end = box.find("\r\n", at);
        lines.push_back(box.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

TEST_F(MainDialogTest, StartUpShowsLoadingThenReadyWithTheWordCount) {
    std::string lexicon = folder_.write("words.txt", kSmallLexicon);
    MainDialog dialog;
    dialog.settings().lexiconPath = lexicon;
    ASSERT_TRUE(dialog.create());

    // Loading, and not yet shown: its notifications wait for the loop.
    EXPECT_FALSE(IsWindowVisible(dialog.window()));
    EXPECT_EQ(windowText(dialog.window()), t.title);
    EXPECT_EQ(text(dialog, IDB_MAIN_FIND), t.find);
    EXPECT_EQ(text(dialog, IDB_MAIN_STOP), t.stop);
    EXPECT_EQ(text(dialog, IDB_MAIN_OPTIONS), t.options);
    EXPECT_EQ(text(dialog, IDB_MAIN_ABOUT), t.about);
    EXPECT_EQ(text(dialog, IDB_MAIN_SAVE), t.save);
    EXPECT_EQ(tabTexts(dialog), (std::vector<std::string>{t.asFound, t.bestFirst}));
    EXPECT_FALSE(showsBestFirst(dialog));
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_SAVE)));
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), t.foundAtStart);
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), "");
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, lexicon.c_str()));
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_STOP)));
    SetDlgItemTextA(dialog.window(), IDE_MAIN_PHRASE, "listen");
    loop_.runIdleHandlers();
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
    EXPECT_EQ(GetFocus(), dialog.item(IDE_MAIN_PHRASE));
    EXPECT_NE(SendMessageA(dialog.window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(dialog.window(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_GT(SendMessageA(dialog.item(IDE_MAIN_RESULTS), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    EXPECT_EQ(SendMessageA(dialog.item(IDP_MAIN_PROGRESS), PBM_GETRANGE, FALSE, 0), 60);

    ShowWindow(dialog.window(), SW_SHOW);
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), t.foundAtStart);
    pumpPending();
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_STOP)));
    type(dialog, "");
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
}

TEST_F(MainDialogTest, FindListsTheAnagramsAndEnterSearchesAgain) {
    std::string lexicon = folder_.write("words.txt", kSmallLexicon);
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));

    type(dialog, "listen");
    clickFind(dialog);
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_STOP)));
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    std::vector<std::string> expected = referenceAnagrams(lexicon, "listen");
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, 4));
    EXPECT_TRUE(matchesNumber(text(dialog, IDT_MAIN_LEXICON), t.elapsed))
        << text(dialog, IDT_MAIN_LEXICON);
    EXPECT_FALSE(SendMessageA(dialog.item(IDE_MAIN_RESULTS), EM_CANUNDO, 0, 0));
    EXPECT_EQ(SendMessageA(dialog.item(IDP_MAIN_PROGRESS), PBM_GETPOS, 0, 0), 0);
    pumpPending();
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));

    // Enter in the phrase box presses the default button, Find.
    type(dialog, "QUIZ");
    PostMessageA(dialog.item(IDE_MAIN_PHRASE), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(pumpUntil([&] { return text(dialog, IDT_MAIN_FOUND) == format(t.found, 1); }));
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "quiz");
}

// The same accented words in the encodings that a list comes in.
TEST_F(MainDialogTest, AUtf8ListWithOrWithoutItsMarkFindsWhatItsWindows1252TwinFinds) {
    const std::string utf8 =
        "cr\u00e8me\nbr\u00fbl\u00e9e\nbr\u00fble\nm\u00fbre\ncl\u00e9\nr\u00eave\nl\u00e9e\n"
        "b\u00e9b\u00e9\nsalt\n";
    const std::string windows1252 =
        "cr\xE8me\nbr\xFBl\xE9"
        "e\nbr\xFBle\nm\xFBre\ncl\xE9\nr\xEAve\nl\xE9"
        "e\nb\xE9"
        "b\xE9\nsalt\n";
    const std::string phrase = "Cr\u00e8me Br\u00fbl\u00e9e";
    const std::string lists[] = {folder_.write("utf-8.txt", utf8),
                                 folder_.write("utf-8-bom.txt", "\xEF\xBB\xBF" + utf8),
                                 folder_.write("windows-1252.txt", windows1252)};
    std::vector<std::string> results;
    for (const std::string& list : lists) {
        SCOPED_TRACE(list);
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(open(dialog, list));
        EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 9));
        type(dialog, phrase);
        clickFind(dialog);
        ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
        results.push_back(text(dialog, IDE_MAIN_RESULTS));
    }
    std::vector<std::string> expected = referenceAnagrams(lists[0], phrase);
    EXPECT_NE(std::find(expected.begin(), expected.end(), "cr\u00e8me br\u00fbl\u00e9e"),
              expected.end());
    for (const std::string& shown : results) EXPECT_EQ(shown, joinLines(expected, expected.size()));
}

TEST_F(MainDialogTest, WordsWithCharactersBeyondWindows1252AreNotedOnceAfterTheLoad) {
    // ł, ź, ż and the ₂ of H₂O are none of Windows-1252's (and count as no
    // letter); ó is one.
    std::string lexicon = folder_.write("s\u0142owa.txt",
                                        "\u0142\u00f3d\u017a\nH\u2082O\nlisten\nsilent\n"
                                        "\u017c\u00f3\u0142wie\nd\u00f3\u0142\n");
    MainDialog dialog;
    dialog.settings().lexiconPath = lexicon;
    ASSERT_TRUE(dialog.create());
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, lexicon.c_str()));
    ShowWindow(dialog.window(), SW_SHOW);
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.foreignCharacters, 4));

    // A search takes the box, and shows words with those characters as they are.
    const std::string phrase = "\u017b\u00f3\u0142wie";  // Żółwie: o, w, i and e
    type(dialog, phrase);
    clickFind(dialog);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    std::vector<std::string> expected = referenceAnagrams(lexicon, phrase);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
    EXPECT_NE(std::find(expected.begin(), expected.end(), "\u017c\u00f3\u0142wie"), expected.end());
}

TEST_F(MainDialogTest, ARealEscapeKeyEndsAFloodOfAnagramsAtOnce) {
    const std::string lexicon = dutchLexiconFolder() + "\\WoordenLijst.txt";
    const std::string phrase = "stille tranen";  // some 150,000 anagrams
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
    type(dialog, phrase);
    clickFind(dialog);
    SetForegroundWindow(dialog.window());
    SetFocus(dialog.item(IDE_MAIN_PHRASE));
    ASSERT_EQ(GetForegroundWindow(), dialog.window());

    // The program's own loop runs the window; a second thread presses the key.
    struct Observed {
        DWORD pressed, stopped, ended;
        bool stopRequested, searchEnded;
        size_t linesAtStop, linesAtEnd;
        std::string results, found;
    } seen{};
    std::thread user([&] {
        waitUntil([&] { return lineCount(dialog) >= 1000; }, 60000);
        // A selection of the user's does not move where lines go.
        SendMessageA(dialog.item(IDE_MAIN_RESULTS), EM_SETSEL, 0, 5);
        waitUntil([&] { return lineCount(dialog) >= 20000; }, 60000);
        seen.pressed = GetTickCount();
        pressRealKey(VK_ESCAPE);
        seen.stopRequested = waitUntil([&] { return dialog.finder().stopRequested(); }, 5000);
        seen.stopped = GetTickCount();
        seen.linesAtStop = lineCount(dialog);
        seen.searchEnded = waitUntil([&] { return searchEnded(dialog); }, 5000);
        seen.ended = GetTickCount();
        seen.linesAtEnd = lineCount(dialog);
        seen.results = text(dialog, IDE_MAIN_RESULTS);
        seen.found = text(dialog, IDT_MAIN_FOUND);
        PostMessageA(dialog.window(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(loop_.run(), 0);
    user.join();

    // How soon is for scripts/bench-window to measure: on a slow host a
    // sound window can take longer than the target.
    EXPECT_TRUE(seen.stopRequested) << "Escape took effect";
    EXPECT_TRUE(seen.searchEnded) << "the search ended, long before its flood would have";
    EXPECT_GE(seen.linesAtStop, 20000u);
    EXPECT_EQ(seen.linesAtEnd, seen.linesAtStop) << "no line after the stop";
    std::vector<std::string> expected = referenceAnagrams(lexicon, phrase);
    EXPECT_EQ(seen.results, joinLines(expected, seen.linesAtEnd));
    EXPECT_EQ(seen.found, format(t.found, static_cast<int>(seen.linesAtEnd)));
    std::printf("Escape: stop flag after %lu ms, search ended after %lu ms, at line %zu\n",
                seen.stopped - seen.pressed, seen.ended - seen.pressed, seen.linesAtEnd);
}

TEST_F(MainDialogTest, AStopPostedBehindAFullQueueHidesExactlyTheLinesAfterIt) {
    FloodLexicon flood = floodLexicon({8, 8, 8, 8, 8});
    MainDialog dialog;
    std::string lexicon;
    ASSERT_NO_FATAL_FAILURE(lexicon = findFlood(dialog, flood));
    // Nothing is taken meanwhile: the worker fills the queue to its bound and waits.
    ASSERT_TRUE(waitUntil([&] {
        return platform::notificationsInFlight(dialog.window()) == platform::kNotificationsInFlight;
    }));
    PostMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_STOP, 0);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));

    std::vector<Received> posted = referenceNotifications(lexicon, flood.phrase);
    posted.resize(platform::kNotificationsInFlight);
    std::vector<std::string> lines;
    for (const Received& notification : posted) {
        if (notification.code == AnagramFound) lines.push_back(notification.text);
    }
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(lines, lines.size()));
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, static_cast<int>(lines.size())));
    EXPECT_EQ(platform::notificationsInFlight(dialog.window()), 0u);
}

TEST_F(MainDialogTest, OneClickSwitchesTheViewsDuringAFloodAndFindEmptiesBoth) {
    SettingsRegistry registry;
    FloodLexicon flood = floodLexicon({8, 8, 8, 8, 8});
    MainDialog dialog;
    std::string lexicon;
    ASSERT_NO_FATAL_FAILURE(lexicon = findFlood(dialog, flood));
    ASSERT_TRUE(pumpUntil([&] { return lineCount(dialog) >= 1000; }));
    clickTab(dialog, 1);
    EXPECT_TRUE(showsBestFirst(dialog));
    EXPECT_FALSE(searchEnded(dialog));
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 1u);
    ASSERT_TRUE(pumpUntil([&] { return lineCount(dialog) >= 5000; }));
    clickTab(dialog, 0);
    EXPECT_FALSE(showsBestFirst(dialog));
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 0u);
    ASSERT_TRUE(pumpUntil([&] { return lineCount(dialog) >= 10000; }));
    clickTab(dialog, 1);
    EXPECT_FALSE(searchEnded(dialog));
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }, 60000));

    // Every anagram of the flood spells one in its own way: the best first
    // show it once, in small letters, as a user would write it.
    std::vector<std::string> expected = referenceAnagrams(lexicon, flood.phrase);
    ASSERT_EQ(expected.size(), flood.anagramCount);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
    std::string smallLetters = text(dialog, IDE_MAIN_BEST);
    EXPECT_NE(std::find(expected.begin(), expected.end(), smallLetters), expected.end());
    EXPECT_EQ(CharLowerA(smallLetters.data()), smallLetters);
    EXPECT_TRUE(showsBestFirst(dialog));

    clickFind(dialog);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(text(dialog, IDE_MAIN_BEST), "");
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_SAVE)));
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_STOP, 0);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
}

TEST_F(MainDialogTest, TheBestFirstAreTheCommonestFewestWordsEachOnceAndTheViewIsKept) {
    SettingsRegistry registry;
    std::string lexicon =
        folder_.write("words.txt", "listen\nsilent\nSilent\nenlist\ntin\nsel\nles\nnil\nset\n");
    folder_.write("words-commonness.txt", "# most common first\nsilent\nlisten\nles\ntin\n");
    {
        MainDialog dialog;
        dialog.settings().bestShown = 4;
        ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
        clickTab(dialog, 1);
        type(dialog, "listen");
        clickFind(dialog);
        ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
        EXPECT_EQ(linesOf(text(dialog, IDE_MAIN_RESULTS)).size(), 7u);
        // Known words before unknown ones, one word before two, and Silent as silent.
        EXPECT_EQ(text(dialog, IDE_MAIN_BEST), "silent\r\nlisten\r\nenlist\r\nles tin");
        SendMessageA(dialog.window(), WM_CLOSE, 0, 0);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    // The choice alone is stored, and the next start shows that view.
    EXPECT_FALSE(SettingsRegistry::get(kMinWordLengthValue));
    EXPECT_FALSE(SettingsRegistry::get(kBestShownValue));
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
    EXPECT_TRUE(showsBestFirst(dialog));
    EXPECT_EQ(SendMessageW(dialog.item(IDC_MAIN_VIEW), TCM_GETCURSEL, 0, 0), 1);
}

// The best-first box's writings: when.
std::vector<DWORD> writings;

LRESULT CALLBACK recordWriting(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_SETTEXT) writings.push_back(GetTickCount());
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(MainDialogTest, TheBestFirstFollowAFloodAtThePaintingCadenceAndRankTheLinesShownBeforeAStop) {
    SettingsRegistry registry;
    const std::string lexicon = dutchLexiconFolder() + "\\WoordenLijst.txt";
    const std::string phrase = "stille tranen";  // some 150,000 anagrams
    constexpr size_t kShown = 50;
    MainDialog dialog;
    dialog.settings().bestFirst = true;
    dialog.settings().bestShown = kShown;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
    ASSERT_TRUE(showsBestFirst(dialog));
    type(dialog, phrase);
    writings.clear();
    ASSERT_TRUE(SetWindowSubclass(dialog.item(IDE_MAIN_BEST), recordWriting, 0, 0));
    clickFind(dialog);
    // The best so far show while the search runs (the first writing empties the box).
    ASSERT_TRUE(pumpUntil([&] { return lineCount(dialog) >= 20000 && writings.size() >= 2; }, 60000));
    EXPECT_FALSE(searchEnded(dialog));
    size_t writtenWhileSearching = writings.size();
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_STOP, 0);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    RemoveWindowSubclass(dialog.item(IDE_MAIN_BEST), recordWriting, 0);

    // Written as the window paints, not for every anagram that changes them.
    for (size_t i = 2; i < writtenWhileSearching; ++i)
        EXPECT_GE(writings[i] - writings[i - 1], 90u) << "writing " << i;
    // Ranked from exactly the lines shown as found: none of those still on
    // their way at the stop.
    std::map<std::string, uint32_t> scores;
    for (const Received& posted : referenceNotifications(lexicon, phrase)) {
        if (posted.code == AnagramFound) scores[posted.text] = posted.score;
    }
    std::vector<std::string> shown = linesOf(text(dialog, IDE_MAIN_RESULTS));
    ASSERT_LT(shown.size(), scores.size());
    BestAnagrams best(kShown);
    for (const std::string& line : shown) best.offer(line, scores.at(line));
    std::vector<std::string> expected = best.best();
    EXPECT_EQ(text(dialog, IDE_MAIN_BEST), joinLines(expected, expected.size()));
}

// Saves through the window's Save dialog, which `open` opens, answered from
// a second thread with the path. Answers the name that the dialog offered,
// and, into `said`, what a message box after it said.
std::string saveAs(const MainDialog& dialog, const std::function<void()>& open,
                   const std::string& path, std::string* said = nullptr) {
    DWORD uiThread = GetCurrentThreadId();
    std::string offered = "(no Save dialog)";
    DialogAnswerer answerer(
        [&](HWND files) {
            offered = windowText(GetDlgItem(files, kFileNameBox));
            SetDlgItemTextW(files, kFileNameBox, toUtf16(path).c_str());
            pressButton(files, IDOK);
            if (said == nullptr || !waitUntilGone(files)) return;
            HWND box = waitForDialog(uiThread, dialog.window());
            *said = box != nullptr ? dialogTexts(box) : "(no message box)";
            if (box != nullptr) pressButton(box, IDOK);
        },
        dialog.window());
    open();
    pumpUntil([&] { return answerer.answered(); });
    answerer.finish();
    return offered;
}

TEST_F(MainDialogTest, SaveWritesTheLinesOfTheBoxShownAsShownInUtf8AfterAMarkWithCrLf) {
    SettingsRegistry registry;
    FloodLexicon flood = floodLexicon({8, 8, 8, 8, 8});
    std::string lexicon = folder_.write("flood.txt", flood.words);
    {
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
        HWND save = dialog.item(IDB_MAIN_SAVE);
        EXPECT_FALSE(IsWindowEnabled(save));
        type(dialog, flood.phrase);
        clickFind(dialog);
        ASSERT_TRUE(pumpUntil([&] { return IsWindowEnabled(save); }));
        ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }, 60000));
        const std::string path = folder_.path() + "\\saved.txt";
        EXPECT_EQ(saveAs(dialog, [&] { SendMessageA(save, BM_CLICK, 0, 0); }, path),
                  flood.phrase + ".txt");
        std::vector<std::string> expected = referenceAnagrams(lexicon, flood.phrase);
        EXPECT_TRUE(bytesOf(path) == "\xEF\xBB\xBF" + joinLines(expected, expected.size()) + "\r\n")
            << "a file of " << bytesOf(path).size() << " bytes";
    }
    // Ctrl+S, and the best first: the phrase named as a file may name it.
    const std::string phrase = "Cr\u00e8me: Br\u00fbl\u00e9e?";
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("woorden.txt",
                                                       "cr\u00e8me\nbr\u00fbl\u00e9e\nbr\u00fble\n"
                                                       "m\u00fbre\ncl\u00e9\nr\u00eave\nl\u00e9e\n")));
    clickTab(dialog, 1);
    type(dialog, phrase);
    clickFind(dialog);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    SetForegroundWindow(dialog.window());
    const std::string path = folder_.path() + "\\cr\u00e8me.txt";
    EXPECT_EQ(saveAs(dialog, [] { pressRealKey('S', VK_CONTROL); }, path),
              "Cr\u00e8me Br\u00fbl\u00e9e.txt");
    std::string best = text(dialog, IDE_MAIN_BEST);
    EXPECT_EQ(linesOf(best).front(), "cr\u00e8me br\u00fbl\u00e9e");
    EXPECT_EQ(bytesOf(path), "\xEF\xBB\xBF" + best + "\r\n");
}

TEST_F(MainDialogTest, ASaveToAFolderThatCannotBeWrittenSaysSoNamingTheFileAndLeavesNothing) {
    std::optional<std::string> folder = unwritableFolder();
    if (!folder) GTEST_SKIP() << "no folder here refuses a new file";
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("words.txt", kSmallLexicon)));
    type(dialog, "listen");
    clickFind(dialog);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    const std::string path = *folder + "\\listen.txt";
    std::string said;
    saveAs(dialog, [&] { SendMessageA(dialog.item(IDB_MAIN_SAVE), BM_CLICK, 0, 0); }, path, &said);
    // The system's reason follows, in its own words.
    std::string head = "|" + format(t.saveFailed, path.c_str(), "");
    EXPECT_EQ(said.substr(0, head.size()), head);
    EXPECT_GT(said.size(), head.size());
    EXPECT_EQ(GetFileAttributesW(toUtf16(path).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_SAVE)));
}

// The end notifications that reach the main window.
std::vector<uintptr_t> jobEnds;

LRESULT CALLBACK recordJobEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (message == kNotificationMessage && endsJob(wParam)) jobEnds.push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(MainDialogTest, AMaximumAnagramCountShowsExactlyTheFirstAnagramsEveryTime) {
    // The search stops itself at the maximum while its last anagrams are still
    // on their way to the window: they are shown all the same.
    const std::string lexicon = dutchLexiconFolder() + "\\WoordenLijst.txt";
    const std::string phrase = "jan peters";  // 2,046 anagrams
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
    ASSERT_TRUE(SetWindowSubclass(dialog.window(), recordJobEnd, 0, 0));
    type(dialog, phrase);
    for (bool breadthFirst : {true, false}) {
        std::vector<std::string> expected = referenceAnagrams(lexicon, phrase, 0, breadthFirst);
        ASSERT_GT(expected.size(), 1000u);
        dialog.settings().search.breadthFirst = breadthFirst;
        for (int maximum : {1, 10, 1000}) {
            dialog.settings().search.maxAnagramCount = maximum;
            for (int run = 0; run < 20; ++run) {
                SCOPED_TRACE(std::to_string(maximum) + (breadthFirst ? " breadth" : " depth") +
                             " first, run " + std::to_string(run));
                jobEnds.clear();
                clickFind(dialog);
                ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
                ASSERT_EQ(text(dialog, IDE_MAIN_RESULTS), joinLines(expected, maximum));
                ASSERT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, maximum));
                ASSERT_TRUE(matchesNumber(text(dialog, IDT_MAIN_LEXICON), t.elapsed));
                ASSERT_EQ(jobEnds, std::vector<uintptr_t>{SearchStopped});
                pumpPending();
            }
        }
    }
    RemoveWindowSubclass(dialog.window(), recordJobEnd, 0);
}

TEST_F(MainDialogTest, AStopInTheSameBurstAsFindEndsTheSearchBeforeItsFirstLine) {
    // Stop comes before the worker has got going: kept to one core, the
    // worker hardly runs before the window has handled both. The search has
    // more anagrams than the window lets through before it takes the Stop, so
    // it cannot end by itself first.
    const std::string lexicon = dutchLexiconFolder() + "\\WoordenLijst.txt";
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, lexicon));
    type(dialog, "stille tranen");  // some 150,000 anagrams
    ASSERT_TRUE(SetWindowSubclass(dialog.window(), recordJobEnd, 0, 0));
    jobEnds.clear();
    DWORD_PTR processMask, systemMask;
    GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask);
    SetProcessAffinityMask(GetCurrentProcess(), 1);
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_FIND, 0);
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_STOP, 0);
    SetProcessAffinityMask(GetCurrentProcess(), processMask);
    ASSERT_TRUE(pumpUntil([&] { return !jobEnds.empty() && searchEnded(dialog); }));
    RemoveWindowSubclass(dialog.window(), recordJobEnd, 0);
    EXPECT_EQ(jobEnds, std::vector<uintptr_t>{SearchStopped});
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, 0));
    EXPECT_TRUE(matchesNumber(text(dialog, IDT_MAIN_LEXICON), t.elapsed));
}

TEST_F(MainDialogTest, APhraseWithoutLettersIsRefusedWithAMessage) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("words.txt", kSmallLexicon)));
    type(dialog, "   ");
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));  // spaces count
    DialogAnswerer answerer([](HWND box) { pressButton(box, IDOK); }, dialog.window());
    clickFind(dialog);
    ASSERT_TRUE(pumpUntil([&] { return answerer.answered() && searchEnded(dialog); }));
    EXPECT_EQ(answerer.texts(), std::string("|") + t.phraseRefused);  // an empty caption
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, 0));
    pumpPending();
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
}

TEST_F(MainDialogTest, AMissingLexiconIsReportedWithEveryPathTriedThenReadyWithNoWords) {
    // A relative path, looked for in the current folder and beside the program.
    const std::string missing = "missing.txt";
    CurrentFolder current(folder_.path());
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::string tried = folder_.path() + "\\" + missing + "\n" +
                        fs::path(program).parent_path().u8string() + "\\" + missing;
    MainDialog dialog;
    dialog.settings().lexiconPath = missing;
    ASSERT_TRUE(dialog.create());
    DialogAnswerer answerer([](HWND box) { pressButton(box, IDOK); }, dialog.window());
    ShowWindow(dialog.window(), SW_SHOW);
    ASSERT_TRUE(pumpUntil([&] { return answerer.answered(); }));
    EXPECT_EQ(answerer.texts(), "|" + format(t.lexiconUnreadable, missing.c_str(), tried.c_str()));
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 0));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");

    // Searches then find nothing, and say how long that took.
    type(dialog, "listen");
    clickFind(dialog);
    ASSERT_TRUE(pumpUntil([&] { return searchEnded(dialog); }));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_TRUE(matchesNumber(text(dialog, IDT_MAIN_LEXICON), t.elapsed));
}

TEST_F(MainDialogTest, AWorkerThatCannotStartLeavesTheWindowReady) {
    class NoWorkerDialog : public MainDialog {
        bool startJob(JobKind, const std::string&) override { return false; }
    };
    NoWorkerDialog dialog;
    dialog.settings().lexiconPath = folder_.write("words.txt", kSmallLexicon);
    {
        DialogAnswerer answerer([](HWND box) { pressButton(box, IDOK); });
        ASSERT_TRUE(dialog.create());  // the load's message comes while the window initialises
        // The box is gone once it returns; the answering thread may not have said so yet.
        EXPECT_TRUE(answerer.finish());
        EXPECT_EQ(answerer.texts(), std::string("|") + t.workerNotStarted);
    }
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 0));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    ShowWindow(dialog.window(), SW_SHOW);
    type(dialog, "listen");
    ASSERT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
    {
        DialogAnswerer answerer([](HWND box) { pressButton(box, IDOK); }, dialog.window());
        clickFind(dialog);
        EXPECT_TRUE(answerer.finish());
        EXPECT_EQ(answerer.texts(), std::string("|") + t.workerNotStarted);
    }
    EXPECT_TRUE(searchEnded(dialog));
    pumpPending();
    EXPECT_TRUE(IsWindowEnabled(dialog.item(IDB_MAIN_FIND)));
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, 0));
}

TEST_F(MainDialogTest, ANewLoadDiscardsWhatAStoppedSearchStillHadQueued) {
    FloodLexicon flood = floodLexicon({8, 8, 8, 8, 8});
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(findFlood(dialog, flood));
    ASSERT_TRUE(pumpUntil([&] { return lineCount(dialog) >= 10; }));
    Sleep(200);
    std::string found = text(dialog, IDT_MAIN_FOUND);

    std::string small = folder_.write("words.txt", kSmallLexicon);
    dialog.startLoad(small);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, small.c_str()));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), "");
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_STOP)));
    // The search's own end would show its time here, and make the window ready too early.
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), found);
}

TEST_F(MainDialogTest, ALoadThatOutlivesItsWaitHoldsBackTheNextOne) {
    StalledLexicon stalled;
    MainDialog dialog;
    dialog.settings().lexiconPath = stalled.path();
    ASSERT_TRUE(dialog.create());
    ShowWindow(dialog.window(), SW_SHOW);
    ASSERT_TRUE(stalled.waitForReader());

    // Find is ignored while a job runs.
    SetDlgItemTextA(dialog.window(), IDE_MAIN_PHRASE, "listen");
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_FIND, 0);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, stalled.path().c_str()));
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDB_MAIN_STOP)));

    std::string small = folder_.write("words.txt", kSmallLexicon);
    DWORD start = GetTickCount();
    dialog.startLoad(small);
    EXPECT_GE(GetTickCount() - start, 900u);  // the stalled load did not end within the wait
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, small.c_str()));
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), "");
    SendMessageA(dialog.window(), WM_COMMAND, IDB_MAIN_FIND, 0);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), format(t.loading, small.c_str()));

    stalled.finish("alpha\nbeta\ngamma\n");
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
}

TEST_F(MainDialogTest, CloseDuringALoadWaitsForItsWorkerOutOfSight) {
    StalledLexicon stalled;
    MainDialog dialog;
    dialog.settings().lexiconPath = stalled.path();
    ASSERT_TRUE(dialog.create());
    HWND window = dialog.window();
    ShowWindow(window, SW_SHOW);
    ASSERT_TRUE(stalled.waitForReader());

    bool hiddenWhileWaiting = false;
    std::thread finisher([&] {
        Sleep(1500);
        hiddenWhileWaiting = !IsWindowVisible(window);
        stalled.finish("alpha\n");
    });
    DWORD start = GetTickCount();
    SendMessageA(window, WM_CLOSE, 0, 0);
    DWORD elapsed = GetTickCount() - start;
    finisher.join();

    EXPECT_GE(elapsed, 1400u);
    EXPECT_TRUE(hiddenWhileWaiting);
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

// The words that the list of words that fit shows, in its order.
std::string listedWord(HWND list, int index) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    return toUtf8(text);
}

std::vector<std::string> listedWords(HWND list) {
    std::vector<std::string> words;
    auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) words.push_back(listedWord(list, index));
    return words;
}

int indexOf(HWND list, const std::string& word) {
    std::vector<std::string> words = listedWords(list);
    return static_cast<int>(std::find(words.begin(), words.end(), word) - words.begin());
}

// A double-click on the word, scrolled into view.
void doubleClick(HWND list, int index) {
    SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
    RECT item{};
    item.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    pumpPending();
}

// Enter on the word, selected in the list that has the focus.
void pressEnterOn(HWND list, int index) {
    LVITEMW state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
    SetFocus(list);
    pressKey(list, VK_RETURN);
    pumpPending();
}

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines = linesOf(text);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The window beside scramblo-cli on the Dutch list, for the same phrase and
// minimum word length.
class WordBuilderTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(open(dialog_, lexicon_));
        type(dialog_, kPhrase);
    }
    void TearDown() override {
        dialog_.destroy();
        MainDialogTest::TearDown();
    }

    std::vector<std::string> cli(std::vector<std::string> options) {
        options.insert(options.end(),
                       {"-l", lexicon_, "-m",
                        std::to_string(dialog_.settings().search.minWordLength), kPhrase});
        return cli::testing::runCli(options).lines();
    }

    std::vector<std::string> foundLines() {
        clickFind(dialog_);
        EXPECT_TRUE(pumpUntil([&] { return searchEnded(dialog_); }, 60000));
        return sortedLines(text(dialog_, IDE_MAIN_RESULTS));
    }

    static std::vector<std::string> sorted(std::vector<std::string> lines) {
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    static constexpr char kPhrase[] = "William Shakespeare";
    const std::string lexicon_ = dutchLexiconFolder() + "\\WoordenLijst.txt";
    MainDialog dialog_;
};

TEST_F(WordBuilderTest, WordsTakenFromTheListStartEveryAnagramAsWithScrambloCliContain) {
    HWND list = dialog_.item(IDC_MAIN_WORDS);
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT),
              format(t.lettersLeft, "a a a e e e h i i k l l m p r s s w", 18));
    EXPECT_EQ(listedWords(list), cli({"--words"}));

    // A double-click takes a word far down the list, Enter the one selected.
    doubleClick(list, indexOf(list, "kampeer"));
    EXPECT_EQ(text(dialog_, IDE_MAIN_CONTAIN), "kampeer");
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT),
              format(t.lettersLeft, "a a e h i i l l s s w", 11));
    pressEnterOn(list, indexOf(list, "wiel"));
    EXPECT_EQ(text(dialog_, IDE_MAIN_CONTAIN), "kampeer wiel");
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT), format(t.lettersLeft, "a a h i l s s", 7));
    EXPECT_EQ(text(dialog_, IDT_MAIN_FOUND), t.foundAtStart) << "Enter in the list is no Find";
    EXPECT_EQ(listedWords(list), cli({"--words", "-c", "kampeer wiel"}));

    std::vector<std::string> lines = foundLines();
    ASSERT_EQ(lines.size(), 79u);
    for (const std::string& line : lines) EXPECT_EQ(line.rfind("kampeer wiel ", 0), 0u) << line;
    EXPECT_EQ(lines, sorted(cli({"-c", "kampeer wiel"})));

    // Taken out of the box, a word gives its letters back; typed in, it takes them.
    dialog_.setItemText(IDE_MAIN_CONTAIN, "  wiel ");
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT),
              format(t.lettersLeft, "a a a e e h i k l m p r s s", 14));
    EXPECT_EQ(listedWords(list), cli({"--words", "-c", "wiel"}));
    doubleClick(list, indexOf(list, "kampeer"));
    EXPECT_EQ(text(dialog_, IDE_MAIN_CONTAIN), "  wiel kampeer");
    EXPECT_EQ(foundLines(), sorted(cli({"-c", "wiel kampeer"})));
}

TEST_F(WordBuilderTest, WordsLeftOutAreNeitherListedNorInAnyAnagram) {
    HWND list = dialog_.item(IDC_MAIN_WORDS);
    dialog_.setItemText(IDE_MAIN_CONTAIN, "kampeer wiel");
    std::vector<std::string> all = listedWords(list);
    dialog_.setItemText(IDE_MAIN_EXCLUDE, "HALS  shai");
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT), format(t.lettersLeft, "a a h i l s s", 7));
    std::vector<std::string> listed = listedWords(list);
    EXPECT_EQ(listed, cli({"--words", "-c", "kampeer wiel", "-x", "HALS", "-x", "shai"}));
    EXPECT_EQ(all.size() - listed.size(), 3u);  // hals, Hals and Shai
    for (const char* excluded : {"hals", "Hals", "Shai"}) {
        EXPECT_NE(std::find(all.begin(), all.end(), excluded), all.end()) << excluded;
        EXPECT_EQ(std::find(listed.begin(), listed.end(), excluded), listed.end()) << excluded;
    }

    std::vector<std::string> lines = foundLines();
    EXPECT_EQ(lines, sorted(cli({"-c", "kampeer wiel", "-x", "HALS", "-x", "shai"})));
    EXPECT_EQ(lines.size(), 59u);  // of 79
    for (const std::string& line : lines) {
        std::string words = " " + line + " ";
        for (const char* excluded : {" hals ", " Hals ", " Shai "})
            EXPECT_EQ(words.find(excluded), std::string::npos) << line;
    }
}

TEST_F(WordBuilderTest, TheWordsThatFitFollowEachKeystrokeOfATwentyLetterPhraseAtOnce) {
    // As typed, letter by letter: the window works out each list as the
    // phrase box tells of its change, and paints it, before the next key.
    const std::string phrase = "rotterdamse havenstad";
    std::vector<double> times;
    for (size_t length = 1; length <= phrase.size(); ++length) {
        auto start = std::chrono::steady_clock::now();
        dialog_.setItemText(IDE_MAIN_PHRASE, phrase.substr(0, length));
        UpdateWindow(dialog_.window());
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    HWND list = dialog_.item(IDC_MAIN_WORDS);
    EXPECT_EQ(text(dialog_, IDT_MAIN_LETTERS_LEFT),
              format(t.lettersLeft, "a a a d d e e e h m n o r r s s t t t v", 20));
    auto count = static_cast<size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_GT(count, 1000u);
    std::printf(
        "words that fit a 20-letter phrase: %zu; keystrokes of %zu: last %.1f ms, slowest %.1f "
        "ms\n",
        count, times.size(), times.back(), *std::max_element(times.begin(), times.end()));
}

TEST_F(MainDialogTest, StartUpShowsTheLettersLeftAndTheWordsThatFitButNoWordsWhileALoadRuns) {
    const std::string small = folder_.write("words.txt", kSmallLexicon);
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, small));
    HWND list = dialog.item(IDC_MAIN_WORDS);
    auto lettersLeft = [&](const char* phrase, const char* contained) {
        dialog.setItemText(IDE_MAIN_PHRASE, phrase);
        dialog.setItemText(IDE_MAIN_CONTAIN, contained);
        return text(dialog, IDT_MAIN_LETTERS_LEFT);
    };
    EXPECT_EQ(lettersLeft("Listen!", " TIN "), format(t.lettersLeft, "e l s", 3));
    EXPECT_EQ(listedWords(list), (std::vector<std::string>{"les", "sel"}));

    // A load lets go of the words at once; the letters left are still shown.
    StalledLexicon stalled;
    dialog.startLoad(stalled.path());
    ASSERT_TRUE(stalled.waitForReader());
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(lettersLeft("", "tin"), "");
    EXPECT_EQ(lettersLeft("listen", "quiz tt"), format(t.containedNotInPhrase, "q t u z"));
    EXPECT_EQ(lettersLeft("listen", "4 2"), t.containedWithoutLetters);
    EXPECT_EQ(lettersLeft("listen", "Silent"), t.noLettersLeft);
    EXPECT_EQ(lettersLeft("1 2 3", "tin"), t.phraseWithoutLetters);
    EXPECT_EQ(lettersLeft("Listen!", " TIN "), format(t.lettersLeft, "e l s", 3));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    stalled.finish("");
    dialog.startLoad(small);
    ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    EXPECT_EQ(listedWords(list), (std::vector<std::string>{"les", "sel"}));

    // Each box and the list has its label's mnemonic, and they follow the
    // phrase in the tab order.
    HWND at = dialog.item(IDE_MAIN_PHRASE);
    for (auto [id, label] :
         {std::pair{IDE_MAIN_CONTAIN, t.mustContain}, std::pair{IDE_MAIN_EXCLUDE, t.leaveOut},
          std::pair{IDC_MAIN_WORDS, t.wordsThatFit}}) {
        HWND control = dialog.item(id);
        EXPECT_EQ(windowText(GetWindow(control, GW_HWNDPREV)), label);
        at = GetNextDlgTabItem(dialog.window(), at, FALSE);
        EXPECT_EQ(at, control) << label;
        SetFocus(dialog.item(IDE_MAIN_PHRASE));
        const char mnemonic = std::strchr(label, '&')[1];
        PostMessageW(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(std::tolower(mnemonic)), 1 << 29);
        pumpPending();
        EXPECT_EQ(GetFocus(), control) << label;
    }
}

TEST_F(MainDialogTest, ProgressTurnsOverAtSixtyAndUnknownCodesAreIgnored) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("words.txt", kSmallLexicon)));
    auto notify = [&](uintptr_t code, uintptr_t value) {
        PostMessageA(dialog.window(), kNotificationMessage, code, value);
        pumpPending();
        return SendMessageA(dialog.item(IDP_MAIN_PROGRESS), PBM_GETPOS, 0, 0);
    };
    EXPECT_EQ(notify(LoadProgress, 59999), 59);
    EXPECT_EQ(notify(LoadProgress, 60000), 0);
    EXPECT_EQ(notify(LoadProgress, 61000), 1);
    EXPECT_EQ(notify(SearchProgress, 59), 59);
    EXPECT_EQ(notify(SearchProgress, 125), 5);
    for (uintptr_t code : {0u, 10u, 0x10003u}) EXPECT_EQ(notify(code, 1), 5);
    EXPECT_EQ(text(dialog, IDT_MAIN_LEXICON), format(t.lexicon, 6));
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "");
}

// The window's controls, each with its place in the client area.
std::map<HWND, RECT> placesOfControls(HWND window) {
    std::map<HWND, RECT> places;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        places[child] = placeInParent(child);
    }
    return places;
}

// Every control at its place `before` times `scale`, then moved and stretched
// as anchored by what the client area has `grown` beyond that, and with the
// edges at the split `split` pixels to the right.
void expectAnchored(const MainDialog& dialog, const std::map<HWND, RECT>& before, int scale,
                    SIZE grown, int split = 0) {
    struct EdgeMoves {
        int left, top, right, bottom;
    };
    int dx = grown.cx, dy = grown.cy;
    const EdgeMoves stays{0, 0, 0, 0}, right{dx, 0, dx, 0}, stretches{0, 0, dx, 0},
        results{split, 0, dx, dy};
    auto label = [&](int id) { return GetWindow(dialog.item(id), GW_HWNDPREV); };
    const std::map<HWND, EdgeMoves> moves = {
        {label(IDE_MAIN_PHRASE), stays},
        {dialog.item(IDE_MAIN_PHRASE), stretches},
        {label(IDE_MAIN_CONTAIN), stays},
        {dialog.item(IDE_MAIN_CONTAIN), stays},
        {label(IDE_MAIN_EXCLUDE), stays},
        {dialog.item(IDE_MAIN_EXCLUDE), stretches},
        {dialog.item(IDT_MAIN_LETTERS_LEFT), stretches},
        {label(IDC_MAIN_WORDS), {0, 0, split, 0}},
        {dialog.item(IDC_MAIN_WORDS), {0, 0, split, dy}},
        {dialog.item(IDC_MAIN_VIEW), results},
        {dialog.item(IDE_MAIN_RESULTS), results},
        {dialog.item(IDE_MAIN_BEST), results},
        {dialog.item(IDP_MAIN_PROGRESS), {0, dy, dx, dy}},
        {dialog.item(IDB_MAIN_FIND), right},
        {dialog.item(IDB_MAIN_STOP), right},
        {label(IDT_MAIN_FOUND), right},  // the group box
        {dialog.item(IDT_MAIN_FOUND), right},
        {dialog.item(IDT_MAIN_LEXICON), right},
        {dialog.item(IDB_MAIN_SAVE), right},
        {dialog.item(IDB_MAIN_OPTIONS), right},
        {dialog.item(IDB_MAIN_ABOUT), right},
    };
    std::map<HWND, RECT> now = placesOfControls(dialog.window());
    ASSERT_EQ(now.size(), moves.size()) << "every control has its anchoring";
    for (const auto& [control, place] : now) {
        SCOPED_TRACE(GetDlgCtrlID(control));
        const RECT& was = before.at(control);
        const EdgeMoves& move = moves.at(control);
        EXPECT_EQ(place, (RECT{scale * was.left + move.left, scale * was.top + move.top,
                               scale * was.right + move.right, scale * was.bottom + move.bottom}));
    }
}

class MainWindowFrameTest : public MainDialogTest {
  protected:
    // Creates the window as the program does, on the small lexicon, and shows it.
    void start(MainDialog& dialog) {
        dialog.settings().lexiconPath = lexicon_;
        ASSERT_TRUE(dialog.create());
        dialog.show(SW_SHOWNORMAL);
        ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    }

    // Closes it as the user does, and takes the quit request it posts.
    static void close(MainDialog& dialog) {
        SendMessageA(dialog.window(), WM_CLOSE, 0, 0);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    // The window's rectangle on a first run, without a stored place.
    RECT firstRunRect() {
        SettingsRegistry::removeKey();
        MainDialog dialog;
        dialog.settings().lexiconPath = lexicon_;
        return dialog.create() ? screenRect(dialog.window()) : RECT{};
    }

    SettingsRegistry registry_;
    std::string lexicon_ = folder_.write("words.txt", kSmallLexicon);
};

TEST_F(MainWindowFrameTest, TheResultsBoxTakesWhatTheUserAddsToTheWindowAndTheTemplateIsTheLeast) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(start(dialog));
    HWND window = dialog.window();
    // The window opens as the template lays it out.
    RECT client, templateClient{0, 0, 344, 229};
    GetClientRect(window, &client);
    MapDialogRect(window, &templateClient);
    EXPECT_EQ(client, templateClient);
    std::map<HWND, RECT> before = placesOfControls(window);
    RECT frame = screenRect(window);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;

    SetWindowPos(window, nullptr, 0, 0, width * 3 / 2, height * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
    expectAnchored(dialog, before, 1, {width * 3 / 2 - width, height * 3 / 2 - height});

    // Below the template's size it does not go.
    SetWindowPos(window, nullptr, 0, 0, width / 2, height * 2 / 3, SWP_NOMOVE | SWP_NOZORDER);
    RECT smallest = screenRect(window);
    EXPECT_EQ(smallest.right - smallest.left, width);
    EXPECT_EQ(smallest.bottom - smallest.top, height);
    EXPECT_EQ(placesOfControls(window), before);

    // While the user drags the frame, few notifications wait ahead of the mouse.
    auto post = [&] {
        return platform::postNotification(window, kNotificationMessage, LoadProgress, 1000);
    };
    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    for (uint32_t i = 0; i < platform::kNotificationsInFlightWhileDragged; ++i) {
        ASSERT_EQ(post(), platform::PostResult::Posted);
    }
    EXPECT_EQ(post(), platform::PostResult::Refused);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(post(), platform::PostResult::Posted);
    pumpPending();
}

TEST_F(MainWindowFrameTest, PlaceSizeAndMaximisingSurviveARestartAndTouchNoSetting) {
    const RECT chosen{40, 30, 40 + 620, 30 + 430};
    {
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        SetWindowPos(dialog.window(), nullptr, chosen.left, chosen.top, chosen.right - chosen.left,
                     chosen.bottom - chosen.top, SWP_NOZORDER);
        close(dialog);
    }
    for (const char* setting : {kMinWordLengthValue, kMaxWordCountValue, kMaxAnagramCountValue,
                                kBreadthFirstValue, kLexiconPathValue}) {
        EXPECT_FALSE(SettingsRegistry::get(setting)) << setting;
    }
    {
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        EXPECT_EQ(screenRect(dialog.window()), chosen);
        EXPECT_FALSE(IsZoomed(dialog.window()));
        ShowWindow(dialog.window(), SW_MAXIMIZE);
        ASSERT_TRUE(IsZoomed(dialog.window()));
        close(dialog);
    }
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(start(dialog));
    EXPECT_TRUE(IsZoomed(dialog.window()));
    ShowWindow(dialog.window(), SW_RESTORE);
    EXPECT_EQ(screenRect(dialog.window()), chosen);
}

TEST_F(MainWindowFrameTest, AMalformedOrUnreachableStoredPlaceOpensTheWindowAsOnAFirstRun) {
    const RECT firstRun = firstRunRect();
    const RECT onScreen{20, 20, 20 + 500, 20 + 400};
    struct Case {
        const char* what;
        std::function<void()> store;
    } cases[] = {
        {"width of another type",
         [&] {
             writeWindowPlacement({onScreen, 96, false});
             SettingsRegistry::putString(kWindowWidthValue, "500");
         }},
        {"DPI 0",
         [&] {
             writeWindowPlacement({onScreen, 0, false});
         }},
        {"on no monitor",
         [&] {
             writeWindowPlacement({{30000, 20, 30500, 420}, 96, true});
         }},
        {"caption above the screen",
         [&] {
             writeWindowPlacement({{20, -200, 520, 200}, 96, false});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsRegistry::removeKey();
        c.store();
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        EXPECT_EQ(screenRect(dialog.window()), firstRun);
        EXPECT_FALSE(IsZoomed(dialog.window()));
    }
}

// Drags the mouse with its left button down, in the window's client area.
void drag(HWND window, POINT from, int by) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + by, from.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(from.x + by, from.y));
}

int widthOf(HWND control) {
    RECT place = placeInParent(control);
    return place.right - place.left;
}

TEST_F(MainWindowFrameTest, TheSplitterWidensTheWordListWithinBoundsAndItsWidthSurvivesARestart) {
    int templateWidth = 0;
    {
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        HWND window = dialog.window(), words = dialog.item(IDC_MAIN_WORDS),
             tabs = dialog.item(IDC_MAIN_VIEW);
        const std::map<HWND, RECT> before = placesOfControls(window);
        templateWidth = widthOf(words);
        const int tabsWidth = widthOf(tabs);
        auto gap = [&] {
            RECT left = placeInParent(words), right = placeInParent(tabs);
            return POINT{(left.right + right.left) / 2, (left.top + left.bottom) / 2};
        };
        // The cursor tells where the split can be taken hold of.
        POINT screen = gap();
        ClientToScreen(window, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(LOWORD(IDC_SIZEWE))));

        drag(window, gap(), 30);
        expectAnchored(dialog, before, 1, {0, 0}, 30);
        // Neither side gets narrower than half its template width.
        drag(window, gap(), 1000);
        EXPECT_EQ(widthOf(tabs), tabsWidth - tabsWidth / 2);
        drag(window, gap(), -1000);
        EXPECT_EQ(widthOf(words), templateWidth - templateWidth / 2);
        drag(window, gap(), templateWidth / 2 + 40);
        EXPECT_EQ(widthOf(words), templateWidth + 40);
        // A wider window widens the results; the list keeps its width.
        RECT frame = screenRect(window);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 100,
                     frame.bottom - frame.top + 50, SWP_NOMOVE | SWP_NOZORDER);
        expectAnchored(dialog, before, 1, {100, 50}, 40);
        close(dialog);
    }
    EXPECT_EQ(SettingsRegistry::dword(kWordsWidthValue), templateWidth + 40);
    {
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        EXPECT_EQ(widthOf(dialog.item(IDC_MAIN_WORDS)), templateWidth + 40);
    }
    // Stored at 192 DPI, the width is halved at 96; a width not above 0 is the template's.
    for (auto [stored, shown] :
         {std::pair{2 * templateWidth + 20, templateWidth + 10}, std::pair{-5, templateWidth}}) {
        writeWindowPlacement({{20, 20, 20 + 1300, 20 + 900}, 192, false, stored});
        MainDialog dialog;
        ASSERT_NO_FATAL_FAILURE(start(dialog));
        EXPECT_EQ(widthOf(dialog.item(IDC_MAIN_WORDS)), shown) << stored;
    }
}

TEST_F(MainWindowFrameTest, ADpiChangeTakesTheSuggestedRectangleAndRedoesFontIconsAndLayout) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(start(dialog));
    HWND window = dialog.window();
    auto fontHeight = [](HWND of) {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(of, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    LONG fontBefore = fontHeight(window);
    RECT client;
    GetClientRect(window, &client);
    std::map<HWND, RECT> before = placesOfControls(window);

    RECT suggested = sendDpiChange(window, 192);
    EXPECT_EQ(screenRect(window), suggested);
    EXPECT_EQ(fontHeight(window), 2 * fontBefore);
    EXPECT_EQ(fontHeight(dialog.item(IDE_MAIN_RESULTS)), 2 * fontBefore);
    EXPECT_EQ(imageWidth(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0))),
              64);
    EXPECT_EQ(imageWidth(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0))),
              32);
    // Each control twice as large, and the room that the frame leaves besides
    // (it keeps its width at this DPI) goes as anchored.
    RECT scaledClient;
    GetClientRect(window, &scaledClient);
    expectAnchored(
        dialog, before, 2,
        {scaledClient.right - 2 * client.right, scaledClient.bottom - 2 * client.bottom});
    // The least size is the template's at the new DPI.
    SetWindowPos(window, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window, &scaledClient);
    EXPECT_EQ(scaledClient.right, 2 * client.right);
    EXPECT_EQ(scaledClient.bottom, 2 * client.bottom);
}

}  // namespace
}  // namespace scramblo::ui::testing
