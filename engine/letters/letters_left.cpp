#include "letters/letters_left.h"

namespace scramblo {

LettersLeft lettersLeft(std::string_view phrase, std::string_view contained) {
    LettersLeft left;
    LetterKey phraseKey;
    phraseKey.assign(phrase);
    if (phraseKey.isEmpty()) return left;
    if (contained.empty()) {
        left.outcome = LettersLeft::Fit;
        left.key = phraseKey;
        return left;
    }
    LetterKey containedKey;
    containedKey.assign(contained);
    if (containedKey.isEmpty()) {
        left.outcome = LettersLeft::ContainedWithoutLetters;
    } else if (containedKey.takeFrom(phraseKey, left.key)) {
        left.outcome = LettersLeft::Fit;
    } else {
        left.outcome = LettersLeft::ContainedDoNotFit;
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            uint32_t needed = containedKey.occurrences(letter),
                     there = phraseKey.occurrences(letter);
            if (needed > there) left.lacking.append(needed - there, letter);
        }
    }
    return left;
}

}  // namespace scramblo
