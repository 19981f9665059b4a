// The Save command: the lines of the results box that the user sees go into
// a text file chosen in the system's Save dialog (see results_file.h),
// offered under the search's phrase. A file that cannot be written is
// reported by name, with the system's reason.
#pragma once

#include <string>

#include "toolkit/dialog.h"

namespace scramblo::ui {

// Runs the Save dialog over `window` and saves the box `boxId` of it.
void runSaveCommand(const Dialog& window, int boxId, const std::string& phrase);

}  // namespace scramblo::ui
