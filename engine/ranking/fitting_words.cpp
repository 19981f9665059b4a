#include "ranking/fitting_words.h"

#include <algorithm>

namespace scramblo {

std::vector<const LexiconEntry*> fittingWords(const std::vector<LexiconEntry>& entries,
                                              const Commonness& commonness,
                                              const LetterKey& letters, uint32_t minLetters,
                                              uint32_t maxLetters, const ExcludedWords& excluded) {
    struct Fitting {
        uint16_t cost;
        const LexiconEntry* entry;
    };
    std::vector<Fitting> fitting;
    LetterKey rest;
    for (const LexiconEntry& entry : entries) {
        uint32_t count = entry.key.letterCount();
        if (count == 0 || count < minLetters || (maxLetters != 0 && count > maxLetters) ||
            count > letters.letterCount() || !entry.key.takeFrom(letters, rest) ||
            excluded.contains(entry))
            continue;
        fitting.push_back({commonness.costOf(*entry.word), &entry});
    }
    std::sort(fitting.begin(), fitting.end(), [](const Fitting& a, const Fitting& b) {
        if (a.cost != b.cost) return a.cost < b.cost;
        uint32_t aLetters = a.entry->key.letterCount(), bLetters = b.entry->key.letterCount();
        if (aLetters != bLetters) return aLetters > bLetters;
        return *a.entry->word < *b.entry->word;
    });
    std::vector<const LexiconEntry*> words;
    words.reserve(fitting.size());
    for (const Fitting& word : fitting) words.push_back(word.entry);
    return words;
}

}  // namespace scramblo
