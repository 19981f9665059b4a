// Words that the user leaves out of the anagrams and of the words that fit:
// a lexicon line is left out when it equals one of them regardless of case
// ("TIN" leaves out "tin" and "Tin", not "tins" or "TIN ").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "letters/letter_key.h"
#include "lexicon/lexicon_entry.h"

namespace scramblo {

class ExcludedWords {
  public:
    ExcludedWords() = default;
    explicit ExcludedWords(const std::vector<std::string>& words);

    bool empty() const { return words_.empty(); }
    // Whether the entry's word is one of them, regardless of case.
    bool contains(const LexiconEntry& entry) const;

  private:
    struct Word {
        LetterKey key;  // equal for every spelling of it, so most lines are told apart by this
        std::string smallLetters;
    };

    std::vector<Word> words_;
};

}  // namespace scramblo
