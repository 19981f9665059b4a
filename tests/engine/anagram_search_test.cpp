#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "literal_search.h"
#include "notification_sink.h"
#include "search_harness.h"

namespace scramblo {
namespace {

using testing::anagramsIn;
using testing::literalSearch;
using testing::NotificationSink;
using testing::Received;
using testing::searchAndCollect;
using testing::useLexicon;

Received anagram(const std::string& text) {
    return {AnagramFound, 0, text};
}
Received tick(uintptr_t count) {
    return {SearchProgress, count, {}};
}
const Received kDone{SearchDone, 0, {}};
const Received kStopped{SearchStopped, 0, {}};

class AnagramSearchTest : public ::testing::Test {
  protected:
    std::vector<Received> search(const std::string& phrase) {
        return searchAndCollect(finder, phrase, sink, settings);
    }

    NotificationSink sink;
    Finder finder;
    SearchSettings settings;
};

TEST_F(AnagramSearchTest, APhraseWithoutLettersIsRefusedAndNothingElseIsPosted) {
    useLexicon(finder, {"tin", "123"});
    settings.minWordLength = 0;
    for (std::string phrase :
         {std::string(), std::string("   "), std::string("12 34 !?"), std::string(32, 'e')}) {
        EXPECT_EQ(search(phrase), (std::vector<Received>{{PhraseRefused, 0, {}}})) << phrase;
    }
    EXPECT_EQ(finder.findAnagrams("--"), 0u);
}

TEST_F(AnagramSearchTest, APhraseThatIsAWordComesFirstAsAOneWordAnagram) {
    useLexicon(finder, {"tin", "listen", "les"});  // sorted: listen, les, tin
    for (bool breadthFirst : {true, false}) {
        settings.breadthFirst = breadthFirst;
        EXPECT_EQ(search("Silent"),
                  (std::vector<Received>{anagram("listen"), anagram("les tin"), kDone}));
        EXPECT_EQ(finder.anagramCount, 2u);
    }
}

TEST_F(AnagramSearchTest, NothingIsFoundInAnEmptyLexiconOrBelowTheMinimumLength) {
    EXPECT_EQ(search("listen"), (std::vector<Received>{kDone}));
    useLexicon(finder, {"ab", "ba"});
    EXPECT_EQ(search("ab"), (std::vector<Received>{kDone}));
}

TEST_F(AnagramSearchTest, AMaximumOfOneWordReleasesChildrenInsteadOfExpandingThem) {
    useLexicon(finder, {"tin", "listen", "les"});
    settings.maxWordCount = 1;
    finder.progressPeriod = 1;
    // Only the root's three entries are tried.
    EXPECT_EQ(search("silent"),
              (std::vector<Received>{anagram("listen"), tick(1), tick(2), tick(3), kDone}));
}

TEST_F(AnagramSearchTest, TheMaximumAnagramCountEndsTheSearchRightAfterItsTry) {
    useLexicon(finder, {"tin", "listen", "les"});
    settings.maxAnagramCount = 1;
    finder.progressPeriod = 1;
    // The try that found the anagram still counts; no entry after it does.
    EXPECT_EQ(search("silent"), (std::vector<Received>{anagram("listen"), tick(1), kStopped}));
    EXPECT_TRUE(finder.stopRequested());
}

TEST_F(AnagramSearchTest, AWordMayBeUsedTwiceUnlessEntriesMustNotRepeat) {
    useLexicon(finder, {"tin", "nit"});  // equal weights: either comes first
    EXPECT_EQ(anagramsIn(search("tintin")).size(), 3u);
    std::vector<std::string> found = anagramsIn(search("tin tin"));
    EXPECT_NE(std::find(found.begin(), found.end(), "tin tin"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), "nit nit"), found.end());

    settings.repeatEntries = false;
    found = anagramsIn(search("tintin"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0] == "tin nit" || found[0] == "nit tin") << found[0];
}

TEST_F(AnagramSearchTest, TicksCountTriesOfEntriesLongEnoughOnly) {
    // Ten entries tried with a period of four: two ticks. The short and the
    // letterless lines are passed over without a try.
    useLexicon(finder, {"one", "two", "six", "ten", "four", "five", "nine", "three", "seven",
                        "eight", "ab", "x", "123", "--"});
    finder.progressPeriod = 4;
    EXPECT_EQ(search("zzz"), (std::vector<Received>{tick(1), tick(2), kDone}));
}

TEST_F(AnagramSearchTest, ALetterlessEntryIsTriedOnlyWithAMinimumOfZeroAndNeverGrows) {
    useLexicon(finder, {"tin", "123"});
    finder.progressPeriod = 1;
    settings.minWordLength = 1;
    EXPECT_EQ(search("tin"), (std::vector<Received>{anagram("tin"), tick(1), kDone}));
    settings.minWordLength = 0;
    EXPECT_EQ(search("tin"), (std::vector<Received>{anagram("tin"), tick(1), tick(2), kDone}));
}

TEST_F(AnagramSearchTest, EntriesWithEqualKeysGiveSeparateAnagramsInTheirOwnSpelling) {
    useLexicon(finder, {"caf\xE9", "face", "FACE"});  // sorted: face, FACE, café
    EXPECT_EQ(anagramsIn(search("cafe")), (std::vector<std::string>{"face", "FACE", "caf\xE9"}));
}

TEST_F(AnagramSearchTest, AWordWithANulByteReachesTheWindowCutShortThere) {
    // Found by the search fuzzer: the text travels zero-terminated.
    useLexicon(finder, {std::string("tea\x01\0\0\x06", 7), "e"});
    EXPECT_EQ(anagramsIn(search("tea")), (std::vector<std::string>{"tea\x01"}));
    EXPECT_EQ(search("tea"), literalSearch(finder, "tea", settings));
}

TEST_F(AnagramSearchTest, BreadthFirstReportsFewerWordsFirstAndDepthFirstTheLastChildFirst) {
    useLexicon(finder, {"a", "b", "ab"});  // sorted: ab, b, a
    settings.minWordLength = 1;
    EXPECT_EQ(anagramsIn(search("aab")), (std::vector<std::string>{"ab a", "b a a"}));
    settings.breadthFirst = false;
    EXPECT_EQ(anagramsIn(search("aab")), (std::vector<std::string>{"b a a", "ab a"}));
}

TEST_F(AnagramSearchTest, ContainedWordsStartEveryAnagramAndOnlyTheLettersLeftAreSearched) {
    useLexicon(finder, {"tin", "listen", "les", "sel", "nit"});
    finder.progressPeriod = 1;
    std::vector<Received> lettersLeft = search("sel");
    finder.contained = "Tin!";
    std::vector<Received> expected = lettersLeft;
    for (Received& one : expected) {
        if (one.code == AnagramFound) one.text = "Tin! " + one.text;
    }
    EXPECT_EQ(search("silent"), expected);
    EXPECT_EQ(anagramsIn(expected), (std::vector<std::string>{"Tin! les", "Tin! sel"}));

    // Words that take every letter are the one anagram, whatever the list.
    finder.contained = "Lis Tenx";
    EXPECT_EQ(search("x silent"), (std::vector<Received>{anagram("Lis Tenx"), kDone}));
    // Words whose letters the phrase lacks, or without letters, are refused.
    for (const char* refused : {"tinx", "--"}) {
        finder.contained = refused;
        EXPECT_EQ(search("silent"), (std::vector<Received>{{PhraseRefused, 0, {}}})) << refused;
    }
}

TEST_F(AnagramSearchTest, ExcludedWordsAreLeftOutAsIfTheListLackedThem) {
    useLexicon(finder, {"tin", "nit", "Tin", "TINS", "les", "sel", "listen", "nits", "tinsel"});
    finder.excluded = ExcludedWords({"TIN", "Sel", "tinsels"});
    Finder shorter;
    for (const LexiconEntry& entry : finder.entryList) {
        if (!finder.excluded.contains(entry)) shorter.addWord(*entry.word);
    }
    ASSERT_EQ(shorter.entryList.size(), 6u);
    // The same tries, so the same ticks between the same anagrams.
    finder.progressPeriod = shorter.progressPeriod = 1;
    for (bool breadthFirst : {true, false}) {
        settings.breadthFirst = breadthFirst;
        std::vector<Received> found = search("silent tin");
        EXPECT_EQ(found, searchAndCollect(shorter, "silent tin", sink, settings));
        EXPECT_EQ(anagramsIn(found).size(), 3u);  // of 18 without the excluded words
    }
}

}  // namespace
}  // namespace scramblo
