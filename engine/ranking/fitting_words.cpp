#include "ranking/fitting_words.h"

#include <algorithm>

namespace scramblo {

std::vector<const LexiconEntry*> fittingWords(const std::vector<LexiconEntry>& entries,
                                              const LetterKey& letters, uint32_t minLetters,
                                              uint32_t maxLetters, const ExcludedWords& excluded) {
    std::vector<const LexiconEntry*> fitting;
    LetterKey rest;
    for (const LexiconEntry& entry : entries) {
        uint32_t count = entry.key.letterCount();
        if (count == 0 || count < minLetters || (maxLetters != 0 && count > maxLetters) ||
            count > letters.letterCount() || !entry.key.takeFrom(letters, rest) ||
            excluded.contains(entry))
            continue;
        fitting.push_back(&entry);
    }
    std::sort(fitting.begin(), fitting.end(), [](const LexiconEntry* a, const LexiconEntry* b) {
        if (a->cost != b->cost) return a->cost < b->cost;
        if (a->key.letterCount() != b->key.letterCount())
            return a->key.letterCount() > b->key.letterCount();
        return *a->word < *b->word;
    });
    return fitting;
}

}  // namespace scramblo
