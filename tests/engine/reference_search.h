// What the engine itself reports, run straight on a finder of the test's own:
// the lines that a front end must show, in the engine's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "notification_sink.h"

namespace scramblo::testing {

// Every notification of a search for `phrase` in the lexicon file, with the
// default settings but for the maximum word count (0: no limit) and the
// order, in the order posted. Filtered, the load keeps only the words that
// fit the phrase, as scramblo-cli's does.
std::vector<Received> referenceNotifications(const std::string& lexiconPath,
                                             const std::string& phrase, uint32_t maxWordCount = 0,
                                             bool breadthFirst = true, bool filtered = false);

// The lines of those notifications: every anagram.
std::vector<std::string> referenceAnagrams(const std::string& lexiconPath,
                                           const std::string& phrase, uint32_t maxWordCount = 0,
                                           bool breadthFirst = true, bool filtered = false);

// Debian's American English word list (package wamerican), its lines of
// lower-case letters a to z only, one per line.
std::string americanLowerCaseWords();

// The lines joined as the results box holds them.
std::string joinLines(const std::vector<std::string>& lines, size_t count);

}  // namespace scramblo::testing
