#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"
#include "search_harness.h"
#include "temp_folder.h"

namespace scramblo {
namespace {

using testing::anagramsIn;
using testing::NotificationSink;
using testing::runJobAndCollect;
using testing::TempFolder;

TEST(RepeatEntries, OffUsesEveryEntryAtMostOncePerAnagram) {
    // Weights: quiz 10169 > listen 115 > silent 115 > tin 49; "tin" can fill
    // "tintin" only by repeating itself.
    NotificationSink sink;
    TempFolder folder;
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, folder.write("words.txt", "tin\nlisten\nquiz\nsilent\n"),
                     sink);
    SearchSettings settings;
    auto anagrams = [&](const std::string& phrase) {
        return anagramsIn(runJobAndCollect(finder, Search, phrase, sink, settings));
    };
    for (bool breadthFirst : {true, false}) {
        settings.breadthFirst = breadthFirst;
        settings.repeatEntries = true;
        EXPECT_EQ(anagrams("tintin"), std::vector<std::string>{"tin tin"});
        EXPECT_EQ(anagrams("quizquiz"), std::vector<std::string>{"quiz quiz"});
        EXPECT_EQ(anagrams("listensilent").size(), 3u);

        settings.repeatEntries = false;
        EXPECT_TRUE(anagrams("tintin").empty());
        EXPECT_TRUE(anagrams("quizquiz").empty());
        // Entries with equal keys are still different entries.
        auto twoWords = anagrams("listensilent");
        ASSERT_EQ(twoWords.size(), 1u);
        EXPECT_TRUE(twoWords[0] == "listen silent" || twoWords[0] == "silent listen");
        EXPECT_EQ(anagrams("quiz tin").size(), 1u);
    }
}

}  // namespace
}  // namespace scramblo
