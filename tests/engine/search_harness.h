// Helpers for the search tests: a lexicon put straight into a finder, and a
// search job run to its end.
#pragma once

#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"

namespace scramblo::testing {

// Replaces the finder's lexicon by these lines, added and sorted as a load does.
void useLexicon(Finder& finder, const std::vector<std::string>& lines);

// Runs a search job and answers all its notifications, taken while it runs
// (a window's queue is not endless). The end notification's elapsed time is
// replaced by 0.
std::vector<Received> searchAndCollect(Finder& finder, const std::string& phrase,
                                       NotificationSink& sink, const SearchSettings& settings);

// The texts of the anagrams among the notifications, in order.
std::vector<std::string> anagramsIn(const std::vector<Received>& received);

}  // namespace scramblo::testing
