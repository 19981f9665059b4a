#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "settings_registry.h"

namespace scramblo::ui {
namespace {

using testing::SettingsRegistry;

constexpr char kDefaultPath[] = "WoordenLijst.txt";

struct Stored : UserSettings {
    Stored() {
        lexiconPath = kDefaultPath;
        readSettings(*this);
    }
};

void expectDefaults(const Stored& stored) {
    EXPECT_EQ(stored.search.minWordLength, 3u);
    EXPECT_EQ(stored.search.maxWordCount, 0u);
    EXPECT_EQ(stored.search.maxAnagramCount, 0u);
    EXPECT_TRUE(stored.search.breadthFirst);
    EXPECT_EQ(stored.lexiconPath, kDefaultPath);
    EXPECT_EQ(stored.leaveOut, 0u);
    EXPECT_EQ(stored.bestShown, 100u);
    EXPECT_FALSE(stored.bestFirst);
}

TEST(SettingsStore, WithoutTheKeyEverySettingKeepsItsDefaultAndNothingIsCreated) {
    SettingsRegistry registry;
    Stored stored;
    expectDefaults(stored);
    EXPECT_FALSE(SettingsRegistry::keyExists());
}

TEST(SettingsStore, StoredNumbersAreUsedWithoutRangeChecks) {
    SettingsRegistry registry;
    SettingsRegistry::putDword(kMinWordLengthValue, 40);
    SettingsRegistry::putDword(kMaxWordCountValue, 9);
    SettingsRegistry::putDword(kMaxAnagramCountValue, 0xFFFFFFFF);
    SettingsRegistry::putDword(kBreadthFirstValue, 7);
    SettingsRegistry::putString(kLexiconPathValue, "C:\\Lijsten\\Engels.txt");
    Stored stored;
    EXPECT_EQ(stored.search.minWordLength, 40u);
    EXPECT_EQ(stored.search.maxWordCount, 9u);
    EXPECT_EQ(stored.search.maxAnagramCount, 0xFFFFFFFFu);
    EXPECT_TRUE(stored.search.breadthFirst);
    EXPECT_EQ(stored.lexiconPath, "C:\\Lijsten\\Engels.txt");

    SettingsRegistry::putDword(kMinWordLengthValue, 0);
    SettingsRegistry::putDword(kBreadthFirstValue, 0);
    SettingsRegistry::putString(kLexiconPathValue, "");
    Stored zeroes;
    EXPECT_EQ(zeroes.search.minWordLength, 0u);
    EXPECT_FALSE(zeroes.search.breadthFirst);
    EXPECT_EQ(zeroes.lexiconPath, "");
}

TEST(SettingsStore, AValueOfAnotherTypeLeavesItsSettingAloneAndTheRestAreStillRead) {
    SettingsRegistry registry;
    SettingsRegistry::putString(kMinWordLengthValue, "4");
    SettingsRegistry::put(kMaxWordCountValue, REG_BINARY, std::string("\x02\0\0\0", 4));
    SettingsRegistry::putDword(kMaxAnagramCountValue, 12);
    SettingsRegistry::put(kBreadthFirstValue, REG_QWORD, std::string(8, '\0'));
    SettingsRegistry::putString(kLexiconPathValue, "%TEMP%\\lijst.txt", REG_EXPAND_SZ);
    Stored stored;
    EXPECT_EQ(stored.search.minWordLength, 3u);
    EXPECT_EQ(stored.search.maxWordCount, 0u);
    EXPECT_EQ(stored.search.maxAnagramCount, 12u);
    EXPECT_TRUE(stored.search.breadthFirst);
    EXPECT_EQ(stored.lexiconPath, kDefaultPath);

    // Settings are left as they are, not reset to the defaults.
    UserSettings settings;
    settings.search.minWordLength = 5;
    settings.search.breadthFirst = false;
    settings.lexiconPath = "eigen.txt";
    settings.leaveOut = LeaveOutNames;
    readSettings(settings);
    EXPECT_EQ(settings.search.minWordLength, 5u);
    EXPECT_FALSE(settings.search.breadthFirst);
    EXPECT_EQ(settings.lexiconPath, "eigen.txt");
    EXPECT_EQ(settings.leaveOut, uint32_t{LeaveOutNames});
}

TEST(SettingsStore, APathIsReadWholeInAnyLettersUpToTheLongestPathWindowsOpens) {
    SettingsRegistry registry;
    // Łódź\Анаграммы, as a Unicode program writes it.
    std::string unicode =
        "C:"
        "\\lists\\\u0141\u00f3d\u017a\\\u0410\u043d\u0430\u0433\u0440\u0430\u043c\u043c\u044b\\word"
        "s.txt";
    SettingsRegistry::putText(kLexiconPathValue, unicode);
    EXPECT_EQ(Stored().lexiconPath, unicode);

    std::string longest = "C:\\" + std::string(kMaxStoredPathLength - 3, 'a');
    SettingsRegistry::putString(kLexiconPathValue, longest);
    EXPECT_EQ(Stored().lexiconPath, longest);
    SettingsRegistry::putString(kLexiconPathValue, longest + 'b');
    EXPECT_EQ(Stored().lexiconPath, kDefaultPath);

    // Written by another program without its terminating zero.
    SettingsRegistry::put(kLexiconPathValue, REG_SZ, "kort.txt");
    EXPECT_EQ(Stored().lexiconPath, "kort.txt");
    // That way one character more than the longest fills the buffer exactly, and is too long.
    SettingsRegistry::put(kLexiconPathValue, REG_SZ, std::string(kMaxStoredPathLength + 1, 'c'));
    EXPECT_EQ(Stored().lexiconPath, kDefaultPath);
}

TEST(SettingsStore, WritingStoresEveryValueWithItsTypeAndReadsBack) {
    SettingsRegistry registry;
    UserSettings settings;
    settings.search.minWordLength = 2;
    settings.search.maxWordCount = 4;
    settings.search.maxAnagramCount = 1500;
    settings.search.breadthFirst = false;
    settings.lexiconPath = "lijst.txt";
    settings.leaveOut = LeaveOutDigits | LeaveOutCaseVariants;
    settings.bestShown = 250;
    settings.bestFirst = true;
    writeSettings(settings);

    // dword() takes only a REG_DWORD of 4 bytes.
    EXPECT_EQ(SettingsRegistry::dword(kMinWordLengthValue), 2u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxWordCountValue), 4u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxAnagramCountValue), 1500u);
    EXPECT_EQ(SettingsRegistry::dword(kBreadthFirstValue), 0u);
    auto path = SettingsRegistry::get(kLexiconPathValue);
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(path->bytes, std::string("lijst.txt", 10));
    EXPECT_EQ(SettingsRegistry::dword(kLeaveOutDigitsValue), 1u);
    EXPECT_EQ(SettingsRegistry::dword(kLeaveOutNamesValue), 0u);
    EXPECT_EQ(SettingsRegistry::dword(kLeaveOutCaseVariantsValue), 1u);
    EXPECT_EQ(SettingsRegistry::dword(kBestShownValue), 250u);
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 1u);
    // Any path is written whole, as Unicode.
    std::string unicode = "C:\\\u0141\u00f3d\u017a\\\u0441\u043b\u043e\u0432\u0430.txt";
    settings.lexiconPath = unicode;
    writeSettings(settings);
    EXPECT_EQ(SettingsRegistry::text(kLexiconPathValue), unicode + '\0');
    EXPECT_EQ(Stored().lexiconPath, unicode);
    settings.lexiconPath = "lijst.txt";
    writeSettings(settings);

    Stored stored;
    EXPECT_EQ(stored.search.minWordLength, 2u);
    EXPECT_EQ(stored.search.maxWordCount, 4u);
    EXPECT_EQ(stored.search.maxAnagramCount, 1500u);
    EXPECT_FALSE(stored.search.breadthFirst);
    EXPECT_EQ(stored.lexiconPath, "lijst.txt");
    EXPECT_EQ(stored.leaveOut, uint32_t{LeaveOutDigits | LeaveOutCaseVariants});
    EXPECT_EQ(stored.bestShown, 250u);
    EXPECT_TRUE(stored.bestFirst);
    // The window keeps as many best anagrams as stored: a value out of range
    // is brought into it.
    SettingsRegistry::putDword(kBestShownValue, 0);
    EXPECT_EQ(Stored().bestShown, kFewestBestShown);
    SettingsRegistry::putDword(kBestShownValue, 4000000000u);
    EXPECT_EQ(Stored().bestShown, kMostBestShown);

    // Breadth first is stored as 1; a path too long to be read back is still written.
    settings.search.breadthFirst = true;
    std::string longPath(kMaxStoredPathLength + 1, 'c');
    settings.lexiconPath = longPath;
    writeSettings(settings);
    EXPECT_EQ(SettingsRegistry::dword(kBreadthFirstValue), 1u);
    EXPECT_EQ(SettingsRegistry::text(kLexiconPathValue), longPath + '\0');
    EXPECT_EQ(Stored().lexiconPath, kDefaultPath);
}

TEST(SettingsStore, TheChoiceOfViewIsWrittenAloneLeavingTheOtherSettingsUnstored) {
    SettingsRegistry registry;
    writeBestFirst(true);
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 1u);
    EXPECT_FALSE(SettingsRegistry::get(kMinWordLengthValue));
    EXPECT_FALSE(SettingsRegistry::get(kLexiconPathValue));
    EXPECT_FALSE(SettingsRegistry::get(kBestShownValue));
    EXPECT_TRUE(Stored().bestFirst);
    writeBestFirst(false);
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 0u);
}

}  // namespace
}  // namespace scramblo::ui
