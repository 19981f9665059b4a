// The Options command: the settings go into the Options dialog and, after OK,
// back into the window's settings; a changed path or other kinds of lines
// left out load the lexicon again, and all settings are stored.
#pragma once

#include <windows.h>

#include <string>

#include "settings/settings_store.h"

namespace scramblo::ui {

// What the main window offers the command.
class OptionsHost {
  public:
    // Handed to each search as it starts.
    virtual UserSettings& settings() = 0;
    // Stops any running job and starts loading the lexicon at `path`.
    virtual void startLoad(const std::string& path) = 0;

  protected:
    ~OptionsHost() = default;
};

// Runs the dialog modally over `owner`. A search in progress is not stopped
// for new settings; only a load ends it, through startLoad.
void runOptionsCommand(OptionsHost& host, HWND owner);

}  // namespace scramblo::ui
