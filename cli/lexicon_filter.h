// The front end's changes to a loaded lexicon. They are made after the load
// job has ended and before the search job starts: between jobs no worker runs
// and the finder is its owner's alone. Only the entry list changes; the word
// set keeps every word until the next load replaces both.
#pragma once

#include <cstdint>
#include <vector>

#include "lexicon/lexicon_entry.h"

namespace scramblo::cli {

// Leaves out the entries with more than `maxLetters` letters (0: no limit).
// The entries that stay keep their order.
void filterEntries(std::vector<LexiconEntry>& entries, uint32_t maxLetters);

}  // namespace scramblo::cli
