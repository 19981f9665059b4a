// The program itself, as a user starts it: scramblo.exe in a folder with its
// lexicon, driven from this process through its window's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "program_process.h"
#include "reference_search.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

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
