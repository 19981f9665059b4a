#include "lexicon/excluded_words.h"

#include "letters/latin_letters.h"

namespace scramblo {

ExcludedWords::ExcludedWords(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        LetterKey key;
        key.assign(word);
        words_.push_back({key, withSmallLetters(word)});
    }
}

bool ExcludedWords::contains(const LexiconEntry& entry) const {
    for (const Word& word : words_) {
        if (word.key == entry.key && word.smallLetters == withSmallLetters(*entry.word))
            return true;
    }
    return false;
}

}  // namespace scramblo
