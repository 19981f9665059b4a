// The program itself, as a user starts it: scramblo.exe in a folder with its
// lexicon, driven from this process through its window's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "options_dialog_ids.h"
#include "program_process.h"
#include "reference_search.h"
#include "settings/settings_store.h"
#include "settings_registry.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

// Łódź\Анаграммы: a folder that no ANSI code page names.
const std::string kPolishAndCyrillicFolder =
    "\u0141\u00f3d\u017a\\\u0410\u043d\u0430\u0433\u0440\u0430\u043c\u043c\u044b";

TEST(ProgramTest, StartUpLoadsTheLexiconInItsFolderSearchesAndEndsWithExitCodeZero) {
    const InterfaceTexts& t = expectedTexts();
    TempFolder folder;
    std::string lexicon =
        folder.write("WoordenLijst.txt", "listen\r\nsilent\r\ntin\r\nsel\r\nles\r\n");
    ProgramProcess program(folder.path(), "--ignored /x \"any thing\"");
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(windowText(program.window()), t.title);
    ASSERT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 5); }))
        << program.text(IDT_MAIN_LEXICON);

    program.find("Silent");
    ASSERT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_FOUND) == format(t.found, 4); }))
        << program.text(IDT_MAIN_FOUND) << "|" << program.text(IDE_MAIN_RESULTS);
    ASSERT_TRUE(waitUntil([&] { return !program.searching(); }));
    std::vector<std::string> expected = referenceAnagrams(lexicon, "Silent");
    EXPECT_EQ(program.text(IDE_MAIN_RESULTS), joinLines(expected, expected.size()));

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

TEST(ProgramTest, StartedFromAnotherFolderItLoadsTheDefaultListBesideItself) {
    const InterfaceTexts& t = expectedTexts();
    SettingsRegistry registry;  // no list of the user's: the default, WoordenLijst.txt
    TempFolder folder;
    std::string lexicon = folder.write(kPolishAndCyrillicFolder + "\\WoordenLijst.txt",
                                       "listen\nsilent\ntin\nsel\nles\n");
    std::string home = std::filesystem::u8path(lexicon).parent_path().u8string();
    ASSERT_TRUE(
        CopyFileW(wide(programPath()).c_str(), wide(home + "\\scramblo.exe").c_str(), TRUE));
    std::string elsewhere =
        std::filesystem::u8path(folder.write("elsewhere\\x.txt", "")).parent_path().u8string();

    ProgramProcess program(wide(home + "\\scramblo.exe"), wide(elsewhere));
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 5); }))
        << program.text(IDT_MAIN_LEXICON) << "|" << program.text(IDE_MAIN_RESULTS);
    program.find("Silent");
    ASSERT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_FOUND) == format(t.found, 4); }));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

TEST(ProgramTest, AListInAPolishAndCyrillicFolderTypedIntoOptionsIsStoredAndLoadsAtTheNextStart) {
    const InterfaceTexts& t = expectedTexts();
    SettingsRegistry registry;
    TempFolder folder;
    folder.write("WoordenLijst.txt", "listen\nsilent\n");
    std::string list = folder.write(kPolishAndCyrillicFolder + "\\s\u0142owa.txt",
                                    "cr\u00e8me\nbr\u00fbl\u00e9e\n\u0142\u00f3d\u017a\n");
    const std::string phrase = "Br\u00fbl\u00e9e cr\u00e8me";
    {
        ProgramProcess program(folder.path());
        ASSERT_TRUE(
            waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 2); }));
        postButton(program.window(), IDB_MAIN_OPTIONS);
        HWND options = program.waitForModal();
        ASSERT_NE(options, nullptr);
        SendDlgItemMessageW(options, IDE_LEXICON_PATH, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(wide(list).c_str()));
        postButton(options, IDOK);
        ASSERT_TRUE(waitUntilGone(options));
        ASSERT_TRUE(waitUntil([&] {
            return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 3);
        })) << program.text(IDT_MAIN_LEXICON)
            << "|" << program.text(IDE_MAIN_RESULTS);
        EXPECT_EQ(program.text(IDE_MAIN_RESULTS), format(t.foreignCharacters, 1));
        EXPECT_EQ(SettingsRegistry::text(kLexiconPathValue), list + '\0');

        program.find(phrase);
        ASSERT_TRUE(waitUntil([&] { return !program.searching(); }));
        std::vector<std::string> expected = referenceAnagrams(list, phrase);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(program.text(IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
        PostMessageA(program.window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.exitCode(5000), 0u);
    }
    ProgramProcess program(folder.path());
    EXPECT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 3); }))
        << program.text(IDT_MAIN_LEXICON) << "|" << program.text(IDE_MAIN_RESULTS);
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

TEST(ProgramTest, KindsOfLinesTickedInOptionsLeaveTheLexiconAndStayTickedAtTheNextStart) {
    const InterfaceTexts& t = expectedTexts();
    SettingsRegistry registry;
    TempFolder folder;
    // One line of each kind beside the words kept: a digit, an abbreviation,
    // two names, an apostrophe and, of neither kind, a spelling that differs
    // only in case.
    folder.write("WoordenLijst.txt",
                 "listen\nsilent\nSilent\nLISTEN\nenlist\nTinsel\nlisten2\nsilen't\nles\nsel\n"
                 "tin\nnil\nset\nsET\n");
    std::string kept =
        folder.write("kept\\WoordenLijst.txt", "listen\nsilent\nenlist\nles\nsel\ntin\nnil\nset\n");
    const int boxes[] = {IDC_LEAVE_OUT_DIGITS, IDC_LEAVE_OUT_ABBREVIATIONS, IDC_LEAVE_OUT_NAMES,
                         IDC_LEAVE_OUT_APOSTROPHES, IDC_LEAVE_OUT_CASE_VARIANTS};
    {
        ProgramProcess program(folder.path());
        ASSERT_TRUE(
            waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 14); }));
        postButton(program.window(), IDB_MAIN_OPTIONS);
        HWND options = program.waitForModal();
        ASSERT_NE(options, nullptr);
        for (int box : boxes) SendDlgItemMessageW(options, box, BM_CLICK, 0, 0);
        postButton(options, IDOK);
        ASSERT_TRUE(waitUntilGone(options));
        ASSERT_TRUE(waitUntil([&] {
            return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 8);
        })) << program.text(IDT_MAIN_LEXICON);

        program.find("listen");
        ASSERT_TRUE(waitUntil([&] { return !program.searching(); }));
        std::vector<std::string> expected = referenceAnagrams(kept, "listen");
        ASSERT_EQ(expected.size(), 6u);
        EXPECT_EQ(program.text(IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
        PostMessageA(program.window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.exitCode(5000), 0u);
    }
    ProgramProcess program(folder.path());
    EXPECT_TRUE(waitUntil([&] { return program.text(IDT_MAIN_LEXICON) == format(t.lexicon, 8); }))
        << program.text(IDT_MAIN_LEXICON);
    postButton(program.window(), IDB_MAIN_OPTIONS);
    HWND options = program.waitForModal();
    ASSERT_NE(options, nullptr);
    for (int box : boxes) EXPECT_EQ(IsDlgButtonChecked(options, box), BST_CHECKED) << box;
    postButton(options, IDCANCEL);
    ASSERT_TRUE(waitUntilGone(options));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

TEST(ProgramTest, CloseDuringTheLoadEndsTheProgramWithExitCodeZero) {
    ProgramProcess program(dutchLexiconFolder());
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(program.text(IDT_MAIN_LEXICON), "");  // still loading
    DWORD start = GetTickCount();
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
    std::printf("closed during the load: ended after %lu ms\n", GetTickCount() - start);
}

TEST(ProgramTest, CloseDuringAFloodOfAnagramsEndsTheProgramWithinTwoSeconds) {
    ProgramProcess program(dutchLexiconFolder());
    ASSERT_TRUE(waitUntil([&] { return program.loaded(); }));
    program.find("anagrammenlijst");  // millions of anagrams, minutes of showing them
    // Thousands of lines: the window's queue is full and the worker waits for room.
    ASSERT_TRUE(waitUntil([&] { return program.text(IDE_MAIN_RESULTS).size() > 60000; }, 30000));
    DWORD start = GetTickCount();
    program.clickCloseBox();
    EXPECT_EQ(program.exitCode(2000), 0u);
    std::printf("closed during a flood: ended after %lu ms\n", GetTickCount() - start);
}

TEST(ProgramTest, AFloodOfAnagramsKeepsTheWindowAnsweringAndShowsThemAll) {
    const std::string phrase = "stille tranen";
    ProgramProcess program(dutchLexiconFolder());
    ASSERT_TRUE(waitUntil([&] { return program.loaded(); }));
    std::vector<std::string> expected =
        referenceAnagrams(dutchLexiconFolder() + "\\WoordenLijst.txt", phrase);
    ASSERT_GE(expected.size(), 100000u);

    program.find(phrase);
    ASSERT_TRUE(waitUntil([&] { return program.searching(); }));
    DWORD start = GetTickCount();
    std::optional<DWORD> slowest = program.slowestAnswerWhile([&] { return program.searching(); });
    DWORD elapsed = GetTickCount() - start;
    ASSERT_TRUE(slowest) << "no answer within " << ProgramProcess::kLongestAnswerMs << " ms, "
                         << elapsed << " ms into the search";
    EXPECT_EQ(program.text(IDE_MAIN_RESULTS), joinLines(expected, expected.size()));
    std::printf("%zu lines in %lu ms (%.0f lines/s); slowest answer %lu ms\n", expected.size(),
                elapsed, expected.size() * 1000.0 / std::max<DWORD>(elapsed, 1), *slowest);
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(5000), 0u);
}

}  // namespace
}  // namespace scramblo::testing
