// What the engine itself reports, run straight on a finder of the test's own:
// the lines that the window must show, in the engine's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scramblo::testing {

// Every anagram of `phrase` in the lexicon file, with the default settings
// but for the maximum word count (0: no limit).
std::vector<std::string> referenceAnagrams(const std::string& lexiconPath,
                                           const std::string& phrase, uint32_t maxWordCount = 0);

// The lines joined as the results box holds them.
std::string joinLines(const std::vector<std::string>& lines, size_t count);

}  // namespace scramblo::testing
