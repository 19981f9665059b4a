// The words that a person building an anagram by hand may take next: every
// lexicon word whose letters fit within the letters left, best first.
#pragma once

#include <cstdint>
#include <vector>

#include "letters/letter_key.h"
#include "lexicon/excluded_words.h"
#include "lexicon/lexicon_entry.h"
#include "ranking/commonness.h"

namespace scramblo {

// The entries with at least `minLetters` and at most `maxLetters` letters (0:
// no limit) whose letters are all in `letters`, less the excluded words: the
// commonest first, then the longest, then in byte order of their words. Each
// is a line of the list, so each spelling comes once.
std::vector<const LexiconEntry*> fittingWords(const std::vector<LexiconEntry>& entries,
                                              const Commonness& commonness,
                                              const LetterKey& letters, uint32_t minLetters,
                                              uint32_t maxLetters = 0,
                                              const ExcludedWords& excluded = {});

}  // namespace scramblo
