// Where the window looks for a lexicon path, by the load's own rules (see
// lexicon_file.h): so that Options refuses what the load could not open, and
// a message can name every file that was tried.
#pragma once

#include <string>

namespace scramblo::ui {

// Whether one of the files that the path may name opens as a file.
bool namesReadableLexicon(const std::string& path);

// The full paths that the load tries for the path, one a line, in its order.
std::string triedLexiconPaths(const std::string& path);

}  // namespace scramblo::ui
