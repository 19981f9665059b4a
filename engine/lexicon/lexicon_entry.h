// One word of the lexicon as the search sees it: its letter key, its text
// (held by the lexicon's word set, never copied) and its weight. Words with
// rare letters weigh more; the lexicon sorts the heaviest first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "letters/letter_key.h"

namespace scramblo {

// The sum of the letter weights of the plain letters A-Z/a-z; other bytes,
// accented letters included, weigh nothing.
uint32_t wordWeight(std::string_view text);

struct LexiconEntry {
    // `text` must outlive the entry and stay where it is.
    explicit LexiconEntry(const std::string& text) : key(), word(&text), weight(wordWeight(text)) {
        key.assign(text);
    }

    LetterKey key;
    const std::string* word;
    uint32_t weight;

    // An ascending sort puts the heaviest entries first.
    bool operator<(const LexiconEntry& other) const { return weight > other.weight; }
};

}  // namespace scramblo
