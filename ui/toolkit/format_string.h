// Texts from the string table, in the interface language the system picks.
#pragma once

#include <windows.h>

#include <string>

namespace scramblo::ui {

// The string-table entry as UTF-8; empty when there is no such entry.
std::string loadString(UINT id);

// The entry formatted printf-style: %d takes an int, %s a UTF-8 const char*.
std::string formatString(UINT id, ...);

}  // namespace scramblo::ui
