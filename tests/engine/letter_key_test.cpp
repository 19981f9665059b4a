#include "letters/letter_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "letters/letters_left.h"
#include "lexicon/lexicon_entry.h"
#include "text/windows_1252.h"

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
    // × ÷ ł ₂ and an emoji are no letters of Windows-1252.
    for (std::string text :
         {"", "   ", "12 34", "-'.,!?", "\xC3\x97\xC3\xB7\xC5\x82\xE2\x82\x82\xF0\x9F\x98\x80"}) {
        LetterKey key = keyOf(text);
        EXPECT_TRUE(key.isEmpty()) << text;
        expectProducts(key, 1, 1, 1, 1, 0);
    }
}

TEST(LetterKey, CaseMarksOrderAndNonLettersDoNotCount) {
    expectProducts(keyOf("a"), 1, 2, 1, 1, 1);
    for (std::string a :
         {"A", "\xC3\xA0", "\xC3\x81", "\xC3\x82", "\xC3\x83", "\xC3\x84", "\xC3\xA5"})
        EXPECT_EQ(keyOf(a), keyOf("a")) << a;
    EXPECT_EQ(keyOf("\xC3\x87"
                    "a"),
              keyOf("ca"));
    EXPECT_EQ(keyOf("Dormitory"), keyOf("dirty room"));
    EXPECT_EQ(keyOf("caf\xC3\xA9"), keyOf("cafe"));
    EXPECT_EQ(keyOf("caf\xC3\xA9").letterCount(), 4u);
    EXPECT_NE(keyOf("listen"), keyOf("listens"));
}

TEST(LetterKey, EveryLetterOfWindows1252CountsAsItsPlainLetters) {
    // Each byte of Windows-1252 that is a letter, with the letters it counts as.
    const std::pair<int, const char*> expected[] = {
        {0x83, "f"}, {0x8A, "s"}, {0x8C, "oe"}, {0x8E, "z"}, {0x9A, "s"},  {0x9C, "oe"},
        {0x9E, "z"}, {0x9F, "y"}, {0xC3, "a"},  {0xC5, "a"}, {0xC6, "ae"}, {0xD0, "d"},
        {0xD1, "n"}, {0xD5, "o"}, {0xD8, "o"},  {0xDD, "y"}, {0xDE, "th"}, {0xDF, "ss"},
        {0xE3, "a"}, {0xE5, "a"}, {0xE6, "ae"}, {0xF0, "d"}, {0xF1, "n"},  {0xF5, "o"},
        {0xF8, "o"}, {0xFD, "y"}, {0xFE, "th"}, {0xFF, "y"}, {0xC7, "c"},  {0xDC, "u"},
    };
    for (auto [byte, letters] : expected) {
        std::string utf8 = windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(keyOf(utf8), keyOf(letters)) << byte;
        // Text in Windows-1252 counts alike.
        EXPECT_EQ(keyOf(std::string(1, static_cast<char>(byte))), keyOf(letters)) << byte;
    }
    int letters = 0;
    for (int byte = 128; byte < 256; ++byte) {
        if (!keyOf(windows1252ToUtf8(std::string(1, static_cast<char>(byte)))).isEmpty()) ++letters;
    }
    EXPECT_EQ(letters, 8 + 62);  // ƒŠŒŽšœžŸ, and À to ÿ but × and ÷
    EXPECT_EQ(keyOf("Stra\xC3\x9F\x65"), keyOf("strasse"));
    EXPECT_EQ(keyOf("\xC3\x85ngstr\xC3\xB6m"), keyOf("angstrom"));
    EXPECT_NE(keyOf("jalape\xC3\xB1o"), keyOf("jalapeo"));
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
    LetterKey key = keyOf(std::string("Mississippi \xC3\x87") + "a");
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
    EXPECT_EQ(key.letters(), "aciiiimppssss");
    EXPECT_EQ(keyOf(key.letters()), key);
    EXPECT_EQ(LetterKey().letters(), "");
}

TEST(LettersLeft, TheContainedWordsTakeTheirLettersFromThePhrase) {
    LettersLeft left = lettersLeft("Listen, tin!", "Silent");
    EXPECT_EQ(left.outcome, LettersLeft::Fit);
    EXPECT_EQ(left.key.letters(), "int");
    left = lettersLeft("listen", "");
    EXPECT_EQ(left.outcome, LettersLeft::Fit);
    EXPECT_EQ(left.key, keyOf("listen"));
    left = lettersLeft("listen", "SILENT");
    EXPECT_EQ(left.outcome, LettersLeft::Fit);
    EXPECT_TRUE(left.key.isEmpty());

    left = lettersLeft("listen", "tin quiz tt");
    EXPECT_EQ(left.outcome, LettersLeft::ContainedDoNotFit);
    EXPECT_EQ(left.lacking, "iqttuz");
    EXPECT_TRUE(left.key.isEmpty());
    EXPECT_EQ(lettersLeft("listen", " 42 ").outcome, LettersLeft::ContainedWithoutLetters);
    for (const std::string& phrase : {std::string(), std::string("12 34"), std::string(40, 'e')})
        EXPECT_EQ(lettersLeft(phrase, "tin").outcome, LettersLeft::PhraseWithoutLetters) << phrase;
}

TEST(LexiconEntry, WeighsPlainLettersAndSortsHeaviestFirst) {
    EXPECT_EQ(wordWeight("listen"), 115u);
    EXPECT_EQ(wordWeight("LISTEN"), 115u);
    EXPECT_EQ(wordWeight("caf\xC3\xA9"), 238u);
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
