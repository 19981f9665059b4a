// The hand-over of an anagram's text: the worker allocates it, posts its
// address with AnagramFound, and whoever ends up holding it releases it.
// Both sides use this one matched pair.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace scramblo {

// A new zero-terminated copy of the text, with its anagram's score.
char* newAnagramText(std::string_view text, uint32_t score = 0);

void releaseAnagramText(const char* text);

// The score that the search gave the anagram: the lower, the more common and
// the fewer its words (see commonness.h).
uint32_t anagramScore(const char* text);

struct AnagramTextRelease {
    void operator()(const char* text) const { releaseAnagramText(text); }
};

// Holds a text on its way: released with its holder unless let go of once posted.
using AnagramText = std::unique_ptr<const char[], AnagramTextRelease>;

}  // namespace scramblo
