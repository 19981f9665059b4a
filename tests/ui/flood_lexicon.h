// A generated lexicon with a phrase that has a known, large number of
// anagrams, found much faster than any window can show them. Group i is a
// three-letter base of its own letters ("abc", "def", ...); its first
// variants[i] spellings in upper and lower case are distinct words with one
// key, and every anagram takes one spelling of each group: the phrase has the
// product of the variants as anagrams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scramblo::testing {

struct FloodLexicon {
    std::string words;  // one per line
    std::string phrase;
    uint32_t anagramCount;
};

// Up to 8 groups of 1 to 8 variants each.
FloodLexicon floodLexicon(const std::vector<int>& variants);

}  // namespace scramblo::testing
