#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"
#include "ranking/best_anagrams.h"
#include "ranking/commonness.h"
#include "ranking/fitting_words.h"
#include "search_harness.h"

namespace scramblo {
namespace {

using Texts = std::vector<std::string>;

Commonness commonnessOf(const std::string& file) {
    Commonness commonness;
    std::istringstream stream(file);
    commonness.read(stream);
    return commonness;
}

TEST(Commonness, CommonWordsCostLittleAndUnknownOnesMost) {
    Commonness commonness = commonnessOf("# a comment\r\nthe\nof\n\nthe\n\xC3\xA9t\xC3\xA9\nand\n");
    EXPECT_EQ(commonness.costOf("the"), 16u);  // 16 log2(0 + 2)
    EXPECT_EQ(commonness.costOf("of"), 25u);   // 16 log2(3)
    EXPECT_EQ(commonness.costOf("and"), 41u);  // rank 4: the repeated "the" takes a place
    // By its small letters; a capital costs a sixteenth more.
    EXPECT_EQ(commonness.costOf("The"), 17u);
    EXPECT_EQ(commonness.costOf("\xC3\x89T\xC3\x89"), commonness.costOf("\xC3\xA9t\xC3\xA9") + 1);
    // Unknown: as one past the last word, and 4 bits more.
    EXPECT_EQ(commonness.costOf("zebra"), 45u + 64u);  // 16 log2(5 + 2), and 4 bits
    EXPECT_EQ(Commonness().costOf("zebra"), 16u + 64u);
}

TEST(Commonness, BelongsBesideItsList) {
    // Compared as paths: on Windows the separator added is a backslash.
    EXPECT_EQ(std::filesystem::u8path(commonnessPathFor("/lists/WoordenLijst.txt")),
              std::filesystem::u8path("/lists/WoordenLijst-commonness.txt"));
    EXPECT_EQ(commonnessPathFor("words"), "words-commonness.txt");
}

TEST(BestAnagrams, KeepsTheLowestScoresInTheOrderFound) {
    BestAnagrams best(3);
    EXPECT_TRUE(best.offer("d", 40));
    EXPECT_TRUE(best.offer("a", 10));
    EXPECT_TRUE(best.offer("b", 30));
    EXPECT_TRUE(best.offer("c", 10));   // a tie stays behind the one found first
    EXPECT_FALSE(best.offer("e", 30));  // ties the worst kept, found later
    EXPECT_FALSE(best.offer("f", 99));
    EXPECT_EQ(best.best(), (Texts{"a", "c", "b"}));
    best.clear();
    EXPECT_TRUE(best.best().empty());
    EXPECT_FALSE(BestAnagrams(0).offer("a", 1));
}

TEST(BestAnagrams, SpellingsThatDifferOnlyInCaseCountOnce) {
    BestAnagrams best(2);
    best.offer("Marc bols", 50);
    best.offer("Marc Bols", 51);
    best.offer("marc bols", 49);  // takes the place of its other spelling
    best.offer("MARC BOLS", 49);  // as good, but found later
    best.offer("crab loms", 60);
    EXPECT_EQ(best.best(), (Texts{"marc bols", "crab loms"}));
    best.offer("tin", 55);
    EXPECT_EQ(best.best(), (Texts{"marc bols", "tin"}));
    // A spelling of an anagram that went comes back as a new one.
    best.offer("Crab Loms", 52);
    EXPECT_EQ(best.best(), (Texts{"marc bols", "Crab Loms"}));
}

TEST(BestAnagrams, HoldsNoMoreThanItsCapacity) {
    BestAnagrams best(100);
    for (uint32_t i = 0; i < 100000; ++i) best.offer("w" + std::to_string(i), 100000 - i);
    Texts kept = best.best();
    ASSERT_EQ(kept.size(), 100u);
    EXPECT_EQ(kept.front(), "w99999");
    EXPECT_EQ(kept.back(), "w99900");
}

TEST(SearchScores, AnAnagramScoresItsWordsCostsAndFourBitsAWord) {
    testing::NotificationSink sink;
    Finder finder;
    finder.commonness = commonnessOf("dirty\nroom\n");
    testing::useLexicon(finder, {"dirty", "room", "dormitory", "moor", "Dirty"});
    uint32_t dirty = finder.commonness.costOf("dirty"), room = finder.commonness.costOf("room"),
             unknown = finder.commonness.costOf("x");
    std::vector<testing::Received> received =
        testing::searchAndCollect(finder, "dirty room", sink, SearchSettings());
    std::vector<std::pair<std::string, uint32_t>> scores;
    for (const testing::Received& one : received) {
        if (one.code == AnagramFound) scores.emplace_back(one.text, one.score);
    }
    using Scores = std::vector<std::pair<std::string, uint32_t>>;
    EXPECT_EQ(scores, (Scores{{"dormitory", unknown + 64},
                              {"dirty room", dirty + room + 128},
                              {"dirty moor", dirty + unknown + 128},
                              {"Dirty room", dirty + 1 + room + 128},
                              {"Dirty moor", dirty + 1 + unknown + 128}}));
}

TEST(FittingWords, TheWordsThatFitTheLettersCommonestThenLongestFirst) {
    Finder finder;
    finder.commonness = commonnessOf("is\nit\nlet\n");
    testing::useLexicon(finder, {"tile", "lets", "Tile", "is", "let", "it", "islet", "silent",
                                 "zit", "es", "42", "stile"});
    LetterKey letters;
    letters.assign("islet");
    auto words = [&](uint32_t minLetters, uint32_t maxLetters, const ExcludedWords& excluded) {
        Texts texts;
        for (const LexiconEntry* entry : fittingWords(finder.entryList, finder.commonness, letters,
                                                      minLetters, maxLetters, excluded))
            texts.push_back(*entry->word);
        return texts;
    };
    EXPECT_EQ(words(1, 0, {}),
              (Texts{"is", "it", "let", "islet", "stile", "lets", "tile", "es", "Tile"}));
    EXPECT_EQ(words(3, 4, {}), (Texts{"let", "lets", "tile", "Tile"}));
    EXPECT_EQ(words(3, 4, ExcludedWords({"TILE", "let"})), (Texts{"lets"}));
}

}  // namespace
}  // namespace scramblo
