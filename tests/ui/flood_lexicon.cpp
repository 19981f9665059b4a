#include "flood_lexicon.h"

#include <cctype>

namespace scramblo::testing {

FloodLexicon floodLexicon(const std::vector<int>& variants) {
    static const char* const kBases[] = {"abc", "def", "ghi", "jkl", "mno", "pqr", "stu", "vwx"};
    FloodLexicon flood{{}, {}, 1};
    for (size_t group = 0; group < variants.size(); ++group) {
        std::string base = kBases[group];
        for (int mask = 0; mask < variants[group]; ++mask) {
            std::string word = base;
            for (size_t letter = 0; letter < word.size(); ++letter) {
                if (mask & (1 << letter))
                    word[letter] = static_cast<char>(std::toupper(word[letter]));
            }
            flood.words += word + "\n";
        }
        flood.phrase += (group > 0 ? " " : "") + base;
        flood.anagramCount *= static_cast<uint32_t>(variants[group]);
    }
    return flood;
}

}  // namespace scramblo::testing
