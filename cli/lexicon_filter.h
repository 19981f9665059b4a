// The front end's changes to a loaded lexicon. They are made after the load
// job has ended and before the search job starts: between jobs no worker runs
// and the finder is its owner's alone. Only the entry list changes; the word
// set keeps every word until the next load replaces both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lexicon/lexicon_entry.h"

namespace scramblo::cli {

// Leaves out the entries whose word equals one of `excluded` regardless of
// case, and those with more than `maxLetters` letters (0: no limit). The
// entries that stay keep their order.
void filterEntries(std::vector<LexiconEntry>& entries, const std::vector<std::string>& excluded,
                   uint32_t maxLetters);

// For a lexicon read from UTF-8: characters that Windows-1252 lacks kept their
// UTF-8 bytes, some of which would read as accented letters; their entries get
// keys in which those characters count as no letter.
void rekeyForeignCharacters(std::vector<LexiconEntry>& entries);

}  // namespace scramblo::cli
