#include "lexicon_filter.h"

#include <algorithm>

namespace scramblo::cli {

void filterEntries(std::vector<LexiconEntry>& entries, uint32_t maxLetters) {
    if (maxLetters == 0) return;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const LexiconEntry& entry) {
                                     return entry.key.letterCount() > maxLetters;
                                 }),
                  entries.end());
}

}  // namespace scramblo::cli
