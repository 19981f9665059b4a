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

TEST(LexiconFilter, LeavesOutWordsWithMoreLettersAndKeepsTheOrder) {
    Lexicon lexicon{
        "listen", "a-b-c-d", "caf\xC3\xA9", "abcde", "12345678", "it", "\xC3\x9F\xC3\x9F\xC3\x9F"};
    filterEntries(lexicon.entries, 4);
    EXPECT_EQ(lexicon.remaining(), (Words{"a-b-c-d", "caf\xC3\xA9", "12345678", "it"}));
    filterEntries(lexicon.entries, 0);
    EXPECT_EQ(lexicon.remaining().size(), 4u);
}

}  // namespace
}  // namespace scramblo::cli
