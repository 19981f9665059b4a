#include "lexicon/leave_out.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "jobs/finder.h"
#include "lexicon/excluded_words.h"
#include "notification_sink.h"
#include "temp_folder.h"

namespace scramblo {
namespace {

TEST(LeaveOut, TellsTheKindsOfALine) {
    EXPECT_EQ(kindsOfLine("listen"), 0u);
    EXPECT_EQ(kindsOfLine("67-jarige"), LeaveOutDigits);
    EXPECT_EQ(kindsOfLine("TWA"), LeaveOutAbbreviations);
    EXPECT_EQ(kindsOfLine("\xC3\x89TA"), LeaveOutAbbreviations);  // ÉTA
    EXPECT_EQ(kindsOfLine("A"), 0u);                              // one capital is no abbreviation
    EXPECT_EQ(kindsOfLine("Marc"), LeaveOutNames);
    EXPECT_EQ(kindsOfLine("\xC3\x85ngstr\xC3\xB6m"), LeaveOutNames);  // Ångström
    EXPECT_EQ(kindsOfLine("Bora's"), LeaveOutNames | LeaveOutApostrophes);
    EXPECT_EQ(kindsOfLine("won\xE2\x80\x99t"), LeaveOutApostrophes);  // won’t
    EXPECT_EQ(kindsOfLine("iPod"), 0u);                               // its first letter is small
    EXPECT_EQ(kindsOfLine("CMS's"), LeaveOutNames | LeaveOutApostrophes);  // its s is small
    EXPECT_EQ(kindsOfLine("3M"), LeaveOutDigits);
    EXPECT_EQ(kindsOfLine("-- \xC3\x97 --"), 0u);
}

TEST(ExcludedWords, AreTheLinesEqualToThemRegardlessOfCase) {
    const ExcludedWords excluded({"TIN", "CAF\xC3\x89", "\xC5\x92UVRE", "42"});
    auto isExcluded = [&](const std::string& line) {
        return excluded.contains(LexiconEntry(line));
    };
    for (const char* line : {"tin", "Tin", "caf\xC3\xA9", "\xC5\x93uvre", "42"})
        EXPECT_TRUE(isExcluded(line)) << line;
    for (const char* line : {"tins", "TIN ", "nit", "cafe", "oeuvre", "4 2", ""})
        EXPECT_FALSE(isExcluded(line)) << line;
    EXPECT_TRUE(ExcludedWords().empty());
    EXPECT_FALSE(ExcludedWords().contains(LexiconEntry("tin")));
}

TEST(LeaveOut, ALoadLeavesOutTheKindsAskedFor) {
    testing::NotificationSink sink;
    testing::TempFolder folder;
    std::string list = folder.write("list.txt",
                                    "Marc\nmarc\nMARC\nBols\nBOLS\nTWA\nLe's\nauto's\n67-"
                                    "jarige\nlisten\n\xC3\x89T\xC3\x89\n\xC3\xA9t\xC3\xA9\n");
    auto wordsLoaded = [&](uint32_t leaveOut) {
        Finder finder;
        finder.leaveOut = leaveOut;
        auto received = testing::runJobAndCollect(finder, LoadLexicon, list, sink);
        EXPECT_EQ(received.back().value, finder.entryList.size());
        return std::set<std::string>(finder.wordSet.begin(), finder.wordSet.end());
    };
    using Words = std::set<std::string>;
    EXPECT_EQ(wordsLoaded(LeaveOutNothing).size(), 12u);
    EXPECT_EQ(wordsLoaded(LeaveOutDigits | LeaveOutApostrophes).size(), 9u);
    EXPECT_EQ(wordsLoaded(LeaveOutNames),
              (Words{"marc", "MARC", "BOLS", "TWA", "auto's", "67-jarige", "listen",
                     "\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"}));
    // The spelling in small letters stays, else the first in the list.
    EXPECT_EQ(wordsLoaded(LeaveOutCaseVariants),
              (Words{"marc", "Bols", "TWA", "Le's", "auto's", "67-jarige", "listen",
                     "\xC3\xA9t\xC3\xA9"}));
    EXPECT_EQ(wordsLoaded(LeaveOutAll), (Words{"marc", "listen", "\xC3\xA9t\xC3\xA9"}));
}

}  // namespace
}  // namespace scramblo
