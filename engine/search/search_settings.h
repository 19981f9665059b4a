// The user's choices for a search. The owner hands a copy to each search job
// (see Finder::setJob): a change made while a search runs reaches the next
// search only.
#pragma once

#include <cstdint>

namespace scramblo {

struct SearchSettings {
    uint32_t minWordLength = 3;
    uint32_t maxWordCount = 0;     // 0 = no limit
    uint32_t maxAnagramCount = 0;  // 0 = no limit
    bool breadthFirst = true;
    // False: no entry twice in one anagram (a child's expansion starts at the
    // entry after its word instead of at the word itself).
    bool repeatEntries = true;
};

}  // namespace scramblo
