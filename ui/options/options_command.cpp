#include "options_command.h"

#include "options/options_dialog.h"
#include "settings/settings_store.h"

namespace scramblo::ui {

void runOptionsCommand(OptionsHost& host, HWND owner) {
    UserSettings& settings = host.settings();
    OptionsDialog dialog;
    dialog.settings = settings;
    if (dialog.run(owner) != IDOK) return;

    // Byte for byte: a path that differs only in case is another file to
    // load. Other kinds left out make another lexicon of the same file.
    bool reload = dialog.settings.lexiconPath != settings.lexiconPath ||
                  dialog.settings.leaveOut != settings.leaveOut;
    settings = dialog.settings;
    if (reload) host.startLoad(settings.lexiconPath);
    writeSettings(settings);
}

}  // namespace scramblo::ui
