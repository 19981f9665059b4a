#include "lexicon_filter.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace scramblo::cli {
namespace {

// Entries refer to their words, which the list keeps in place.
struct Lexicon {
    explicit Lexicon(std::initializer_list<std::string> texts) : words(texts) {
        for (const std::string& word : words) entries.emplace_back(word);
    }

    std::vector<std::string> remaining() const {
        std::vector<std::string> texts;
        for (const LexiconEntry& entry : entries) texts.push_back(*entry.word);
        return texts;
    }

    std::list<std::string> words;
    std::vector<LexiconEntry> entries;
};

using Words = std::vector<std::string>;

TEST(LexiconFilter, LeavesOutExcludedWordsIgnoringCaseAndKeepsTheOrder) {
    Lexicon lexicon{"tin", "tins", "Tin", "caf\xE9", "nit", "TIN "};
    filterEntries(lexicon.entries, {"TIN", "CAF\xC9"}, 0);
    EXPECT_EQ(lexicon.remaining(), (Words{"tins", "nit", "TIN "}));
}

TEST(LexiconFilter, LeavesOutWordsWithMoreLetters) {
    Lexicon lexicon{"listen", "a-b-c-d", "caf\xE9", "abcde", "12345678", "it"};
    filterEntries(lexicon.entries, {}, 4);
    EXPECT_EQ(lexicon.remaining(), (Words{"a-b-c-d", "caf\xE9", "12345678", "it"}));
    filterEntries(lexicon.entries, {}, 0);
    EXPECT_EQ(lexicon.remaining().size(), 4u);
}

TEST(LexiconFilter, ForeignCharactersOfAUtf8ListCountAsNoLetter) {
    // ₂ and ŉ (U+0149) keep their UTF-8 bytes, which start with â and Å.
    Lexicon lexicon{"H\xE2\x82\x82O", "caf\xE9", "\xC5\x89o"};
    uint32_t weight = lexicon.entries[0].weight;
    rekeyForeignCharacters(lexicon.entries);
    LetterKey ho, cafe, o;
    ho.assign("ho");
    cafe.assign("cafe");
    o.assign("o");
    EXPECT_EQ(lexicon.entries[0].key, ho);
    EXPECT_EQ(lexicon.entries[0].weight, weight);
    EXPECT_EQ(lexicon.entries[1].key, cafe);
    EXPECT_EQ(lexicon.entries[2].key, o);
}

}  // namespace
}  // namespace scramblo::cli
