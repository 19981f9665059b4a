// Kinds of lexicon lines that a user may leave out of the lexicon, each by a
// bit of a mask. Letters are those the letter key counts (see
// latin_letters.h), with their capitals.
#pragma once

#include <cstdint>
#include <string_view>

namespace scramblo {

enum LeaveOut : uint32_t {
    LeaveOutNothing = 0,
    LeaveOutDigits = 1,         // a line that holds a digit 0 to 9
    LeaveOutAbbreviations = 2,  // at least two letters, all capitals: "TWA"
    LeaveOutNames = 4,          // first letter a capital, and a small letter too: "Marc"
    LeaveOutApostrophes = 8,    // a line that holds an apostrophe: "won't", "auto's"
    // Of lines that differ only in case, one stays: the one in small letters
    // where there is one, otherwise the first in the list.
    LeaveOutCaseVariants = 16,
    LeaveOutAll = 31,
};

// The kinds among digits, abbreviations, names and apostrophes that a UTF-8
// line is of.
uint32_t kindsOfLine(std::string_view line);

}  // namespace scramblo
