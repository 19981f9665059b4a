#include "lexicon_filter.h"

#include <algorithm>

#include "letters/latin_letters.h"

namespace scramblo::cli {

void filterEntries(std::vector<LexiconEntry>& entries, const std::vector<std::string>& excluded,
                   uint32_t maxLetters) {
    std::vector<std::string> small;
    for (const std::string& word : excluded) small.push_back(withSmallLetters(word));
    auto unused = [&](const LexiconEntry& entry) {
        if (maxLetters != 0 && entry.key.letterCount() > maxLetters) return true;
        return !small.empty() &&
               std::find(small.begin(), small.end(), withSmallLetters(*entry.word)) != small.end();
    };
    entries.erase(std::remove_if(entries.begin(), entries.end(), unused), entries.end());
}

}  // namespace scramblo::cli
