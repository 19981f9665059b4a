// The letters of a phrase left for the rest of an anagram once the words that
// it must contain have taken theirs: what a search with contained words
// searches (see Finder::contained), and what the words that fit are drawn
// from.
#pragma once

#include <string>
#include <string_view>

#include "letters/letter_key.h"

namespace scramblo {

struct LettersLeft {
    enum Outcome {
        Fit,                      // `key` holds the letters left, none when the words take them all
        PhraseWithoutLetters,     // no letters, or more than a key holds
        ContainedWithoutLetters,  // words given, but none of them with a letter (or too many)
        ContainedDoNotFit,        // the phrase lacks the letters in `lacking`
    };

    Outcome outcome = PhraseWithoutLetters;
    LetterKey key;
    std::string lacking;  // as LetterKey::letters spells them
};

// `contained` empty: there are no contained words and every letter is left.
LettersLeft lettersLeft(std::string_view phrase, std::string_view contained);

}  // namespace scramblo
