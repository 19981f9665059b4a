// The command line of scramblo-cli: the options, whose defaults are those of
// the search settings, and the phrase.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "lexicon/lexicon_file.h"
#include "search/search_settings.h"
#include "text_encoding.h"

namespace scramblo::cli {

struct Options {
    std::string lexiconPath;  // empty: the user's stored list, else WoordenLijst.txt
    ListEncoding lexiconEncoding = ListEncoding::Detect;
    OutputEncoding outputEncoding = OutputEncoding::Default;
    SearchSettings search;
    uint32_t maxWordLength = 0;         // 0 = unlimited
    bool raw = false;                   // arguments and output in Windows-1252
    std::string contain;                // words every anagram starts with; empty: none
    std::vector<std::string> excluded;  // lexicon lines left out, ignoring case
    uint32_t leaveOut = 0;              // kinds of lines left out (see leave_out.h)
    uint32_t best = 0;                  // print only this many best anagrams; 0: all as found
    bool words = false;                 // print the words that fit instead of anagrams
    std::string phrase;                 // the phrase arguments joined by spaces
    bool showHelp = false;
    bool showVersion = false;
};

// A bad option or option value; the message says what is wrong.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Options may stand anywhere among the phrase's words until "--"; short ones
// may be bundled (-dm2) and long ones may take their value after "=".
// Throws UsageError.
Options parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace scramblo::cli
