// A file of results: the lines of a results box as a text file that Notepad
// and Excel read with their accents, UTF-8 after a byte-order mark, each line
// ending in CR LF. It is written under a name of its own beside the file and
// takes the file's name only once it is whole, so that the name never holds
// half a file: a save that fails leaves whatever was there before.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace scramblo::ui {

// Writes the box's text (UTF-8, its lines parted by CR LF as a box holds
// them) into the file at `path` (UTF-8), in place of any file of that name.
// Answers ERROR_SUCCESS, or the system's error code once nothing of the
// attempt is left.
DWORD writeResultsFile(const std::string& path, std::string_view boxText);

}  // namespace scramblo::ui
