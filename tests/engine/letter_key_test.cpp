#include "letters/letter_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lexicon/lexicon_entry.h"

namespace scramblo {
namespace {

LetterKey keyOf(const std::string& text) {
    LetterKey key;
    key.assign(text);
    return key;
}

void expectProducts(const LetterKey& key, uint32_t p0, uint32_t p1, uint32_t p2, uint32_t p3,
                    uint32_t count) {
    EXPECT_EQ(key.product(0), p0);
    EXPECT_EQ(key.product(1), p1);
    EXPECT_EQ(key.product(2), p2);
    EXPECT_EQ(key.product(3), p3);
    EXPECT_EQ(key.letterCount(), count);
}

TEST(LetterKey, TextsWithoutLettersGiveTheEmptyKey) {
    for (std::string text : {"", "   ", "12 34", "-'.,!?", "\xD1\xF1\xDF\xC5\xE6\xFF"}) {
        LetterKey key = keyOf(text);
        EXPECT_TRUE(key.isEmpty()) << text;
        expectProducts(key, 1, 1, 1, 1, 0);
    }
}

TEST(LetterKey, CaseAccentsOrderAndNonLettersDoNotCount) {
    expectProducts(keyOf("a"), 1, 2, 1, 1, 1);
    for (std::string a : {"A", "\xE0", "\xC1", "\xC2", "\xC4", "\xE4"})
        EXPECT_EQ(keyOf(a), keyOf("a"));
    EXPECT_EQ(keyOf("\xC7"
                    "a"),
              keyOf("ca"));
    EXPECT_EQ(keyOf("Dormitory"), keyOf("dirty room"));
    EXPECT_EQ(keyOf("caf\xE9"), keyOf("cafe"));
    EXPECT_EQ(keyOf("caf\xE9").letterCount(), 4u);
    EXPECT_NE(keyOf("listen"), keyOf("listens"));
}

TEST(LetterKey, FoldsExactlyTheLatin1VowelsAndCedillas) {
    const std::string vowels = "aeiou";
    int folded = 0;
    for (int byte = 128; byte < 256; ++byte) {
        char letter = foldedLetter(static_cast<unsigned char>(byte));
        if (letter == 0) continue;
        ++folded;
        EXPECT_TRUE(vowels.find(letter) != std::string::npos || letter == 'c') << byte;
    }
    EXPECT_EQ(folded, 42);
    EXPECT_EQ(foldedLetter(0xDC), 'u');
    EXPECT_EQ(foldedLetter(0xF9), 'u');
    EXPECT_EQ(foldedLetter(0xE7), 'c');
    EXPECT_EQ(foldedLetter('Q'), 'q');
    EXPECT_EQ(foldedLetter('@'), 0);
}

TEST(LetterKey, TextsBeyondCapacityGiveTheEmptyKey) {
    expectProducts(keyOf(std::string(31, 'e')), 1, 1, 1, 2147483648u, 31);
    EXPECT_TRUE(keyOf(std::string(32, 'e')).isEmpty());
    EXPECT_EQ(keyOf(std::string(20, 'r')).letterCount(), 20u);
    EXPECT_TRUE(keyOf(std::string(21, 'r')).isEmpty());
    EXPECT_EQ(keyOf(std::string(7, 'q')).letterCount(), 7u);
    EXPECT_TRUE(keyOf(std::string(8, 'q')).isEmpty());
    // Mixed letters of one word share its 32 bits; other words do not help.
    EXPECT_TRUE(keyOf(std::string(16, 'e') + std::string(11, 's')).isEmpty());
    EXPECT_FALSE(keyOf(std::string(31, 'e') + std::string(31, 't')).isEmpty());
    expectProducts(keyOf(std::string(33, 'e') + "abc"), 1, 1, 1, 1, 0);
}

TEST(LetterKey, TakeFromSubtractsContainedLetters) {
    LetterKey rest = keyOf("zzz");
    EXPECT_TRUE(keyOf("tin").takeFrom(keyOf("listen"), rest));
    EXPECT_EQ(rest, keyOf("les"));

    LetterKey untouched = keyOf("zzz");
    EXPECT_FALSE(keyOf("tinx").takeFrom(keyOf("listen"), untouched));
    EXPECT_FALSE(keyOf("tt").takeFrom(keyOf("listen"), untouched));
    EXPECT_EQ(untouched, keyOf("zzz"));

    EXPECT_TRUE(keyOf("Silent").takeFrom(keyOf("listen"), rest));
    EXPECT_TRUE(rest.isEmpty());
    expectProducts(rest, 1, 1, 1, 1, 0);

    EXPECT_TRUE(LetterKey().takeFrom(keyOf("listen"), rest));
    EXPECT_EQ(rest, keyOf("listen"));
}

TEST(LetterKey, CountsTheOccurrencesOfEachLetter) {
    LetterKey key = keyOf(std::string("Mississippi \xC7") + "a");
    EXPECT_EQ(key.occurrences('s'), 4u);
    EXPECT_EQ(key.occurrences('i'), 4u);
    EXPECT_EQ(key.occurrences('p'), 2u);
    EXPECT_EQ(key.occurrences('m'), 1u);
    EXPECT_EQ(key.occurrences('c'), 1u);
    EXPECT_EQ(key.occurrences('x'), 0u);
    EXPECT_EQ(keyOf(std::string(31, 'e')).occurrences('e'), 31u);
    const std::string pangram = "the quick brown fox jumps over a lazy dog";
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        auto count = static_cast<uint32_t>(std::count(pangram.begin(), pangram.end(), letter));
        EXPECT_EQ(keyOf(pangram).occurrences(letter), count) << letter;
    }
}

TEST(LexiconEntry, WeighsPlainLettersAndSortsHeaviestFirst) {
    EXPECT_EQ(wordWeight("listen"), 115u);
    EXPECT_EQ(wordWeight("LISTEN"), 115u);
    EXPECT_EQ(wordWeight("caf\xE9"), 238u);
    EXPECT_EQ(wordWeight("quiz"), 10169u);
    EXPECT_EQ(wordWeight("12-3 '"), 0u);

    std::string tin = "tin", listen = "listen", quiz = "quiz";
    std::vector<LexiconEntry> entries{LexiconEntry(tin), LexiconEntry(listen), LexiconEntry(quiz)};
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries[0].word, &quiz);
    EXPECT_EQ(entries[1].word, &listen);
    EXPECT_EQ(entries[2].word, &tin);
    EXPECT_EQ(entries[1].key, keyOf("silent"));
    EXPECT_EQ(entries[2].weight, 49u);
}

}  // namespace
}  // namespace scramblo
