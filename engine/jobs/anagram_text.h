// The hand-over of an anagram's text: the worker allocates it, posts its
// address with AnagramFound, and whoever ends up holding it releases it.
// Both sides use this one matched pair.
#pragma once

#include <memory>
#include <string_view>

namespace scramblo {

// A new zero-terminated copy of the text.
char* newAnagramText(std::string_view text);

void releaseAnagramText(const char* text);

struct AnagramTextRelease {
    void operator()(const char* text) const { releaseAnagramText(text); }
};

// Holds a text on its way: released with its holder unless let go of once posted.
using AnagramText = std::unique_ptr<const char[], AnagramTextRelease>;

}  // namespace scramblo
