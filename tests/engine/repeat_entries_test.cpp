#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"

namespace scramblo {
namespace {

using testing::NotificationSink;
using testing::Received;
using testing::runJobAndCollect;
using testing::TempFile;

std::vector<std::string> anagrams(Finder& finder, NotificationSink& sink,
                                  const std::string& phrase) {
    std::vector<std::string> texts;
    for (const Received& received : runJobAndCollect(finder, Search, phrase, sink)) {
        if (received.code == AnagramFound) texts.push_back(received.text);
    }
    return texts;
}

TEST(RepeatEntries, OffUsesEveryEntryAtMostOncePerAnagram) {
    // Weights: quiz 10169 > listen 115 > silent 115 > tin 49; "tin" can fill
    // "tintin" only by repeating itself.
    NotificationSink sink;
    TempFile file("tin\nlisten\nquiz\nsilent\n");
    Finder finder;
    runJobAndCollect(finder, LoadLexicon, file.path(), sink);
    for (bool breadthFirst : {true, false}) {
        finder.breadthFirst = breadthFirst;
        finder.repeatEntries = true;
        EXPECT_EQ(anagrams(finder, sink, "tintin"), std::vector<std::string>{"tin tin"});
        EXPECT_EQ(anagrams(finder, sink, "quizquiz"), std::vector<std::string>{"quiz quiz"});
        EXPECT_EQ(anagrams(finder, sink, "listensilent").size(), 3u);

        finder.repeatEntries = false;
        EXPECT_TRUE(anagrams(finder, sink, "tintin").empty());
        EXPECT_TRUE(anagrams(finder, sink, "quizquiz").empty());
        // Entries with equal keys are still different entries.
        auto twoWords = anagrams(finder, sink, "listensilent");
        ASSERT_EQ(twoWords.size(), 1u);
        EXPECT_TRUE(twoWords[0] == "listen silent" || twoWords[0] == "silent listen");
        EXPECT_EQ(anagrams(finder, sink, "quiz tin").size(), 1u);
    }
}

}  // namespace
}  // namespace scramblo
