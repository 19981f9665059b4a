#include "search/key_packing.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace scramblo {
namespace {

LetterKey keyOf(const std::string& text) {
    LetterKey key;
    key.assign(text);
    return key;
}

// Each product word at its widest: 13 bits of fields apiece, 52 in all.
const std::string kWidest = "ttttiihhuubbyyaaaaooggkkccjjnnnnddllmmppffeeeerrssvvwwzz";

std::vector<std::string> phrases() {
    std::vector<std::string> texts{"William Shakespeare",
                                   std::string(31, 'e'),
                                   "aab",
                                   "abcdefghijklmnopqrstuvwxyz",
                                   kWidest,
                                   std::string(20, 'r') + std::string(7, 'q') + "x"};
    std::mt19937 random(3);
    while (texts.size() < 40) {
        std::string text;
        for (size_t length = 5 + random() % 30; text.size() < length;)
            text += char('a' + random() % 26);
        if (!keyOf(text).isEmpty()) texts.push_back(text);
    }
    return texts;
}

TEST(KeyPacking, FitsAsTakeFromDoesForAnyTwoKeysWithinThePhrase) {
    std::mt19937 random(8);
    for (const std::string& phrase : phrases()) {
        LetterKey phraseKey = keyOf(phrase);
        ASSERT_FALSE(phraseKey.isEmpty()) << phrase;
        KeyPacking packing(phraseKey);
        // Keys within the phrase: any selection of its letters.
        auto part = [&] {
            std::string letters;
            uint32_t keep = random() % 4;
            for (char c : phrase) {
                if (random() % 4 >= keep) letters += c;
            }
            return keyOf(letters);
        };
        int fitted = 0;
        for (int pair = 0; pair < 400; ++pair) {
            LetterKey word = part(), remainder = part(), rest;
            bool fits = word.takeFrom(remainder, rest);
            ASSERT_EQ(packing.fits(packing.pack(word), packing.pack(remainder)), fits) << phrase;
            EXPECT_EQ(packing.pack(word) == packing.pack(remainder), word == remainder);
            if (!fits) continue;
            ++fitted;
            EXPECT_EQ(packing.pack(remainder) - packing.pack(word), packing.pack(rest));
        }
        EXPECT_GT(fitted, 40) << phrase;
        // Each letter of the phrase once, and each packed count read back.
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            bool inPhrase = phraseKey.occurrences(letter) != 0;
            EXPECT_EQ(packing.letters().find(letter) != std::string::npos, inPhrase) << phrase;
            LetterKey some = part();
            if (inPhrase) {
                EXPECT_EQ(packing.occurrences(packing.pack(some), letter),
                          some.occurrences(letter));
            }
        }
    }
}

}  // namespace
}  // namespace scramblo
