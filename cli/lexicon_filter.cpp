#include "lexicon_filter.h"

#include <algorithm>

#include "text_encoding.h"

namespace scramblo::cli {

void filterEntries(std::vector<LexiconEntry>& entries, const std::vector<std::string>& excluded,
                   uint32_t maxLetters) {
    auto unused = [&](const LexiconEntry& entry) {
        if (maxLetters != 0 && entry.key.letterCount() > maxLetters) return true;
        return std::any_of(excluded.begin(), excluded.end(), [&](const std::string& word) {
            return equalIgnoringCase(*entry.word, word);
        });
    };
    entries.erase(std::remove_if(entries.begin(), entries.end(), unused), entries.end());
}

void rekeyForeignCharacters(std::vector<LexiconEntry>& entries) {
    for (LexiconEntry& entry : entries) {
        std::string letters = withoutForeignCharacters(*entry.word);
        if (letters.size() != entry.word->size()) entry.key.assign(letters);
    }
}

}  // namespace scramblo::cli
