// The search exactly as the plain algorithm states it: a queue of
// reference-counted partial anagrams, and every entry from a node's position
// on tried against its remainder. Slow and plainly right, it is the oracle
// that the differential tests hold the Finder's search to.
#pragma once

#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"

namespace scramblo::testing {

// Searches the finder's entry list with these settings on the calling thread
// and answers the notifications the search posts, in order. The end
// notification carries 0 instead of the elapsed time. The finder is not
// changed: the stop flag raised at the maximum anagram count is the oracle's own.
std::vector<Received> literalSearch(const Finder& finder, const std::string& phrase,
                                    const SearchSettings& settings);

}  // namespace scramblo::testing
