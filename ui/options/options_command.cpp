#include "options_command.h"

#include "options/options_dialog.h"
#include "settings/settings_store.h"

namespace scramblo::ui {

void runOptionsCommand(OptionsHost& host, HWND owner) {
    UserSettings& settings = host.settings();
    OptionsDialog dialog;
    dialog.settings = settings.search;
    dialog.lexiconPath = settings.lexiconPath;
    if (dialog.run(owner) != IDOK) return;

    settings.search = dialog.settings;
    // Byte for byte: a path that differs only in case is another file to load.
    if (dialog.lexiconPath != settings.lexiconPath) {
        settings.lexiconPath = dialog.lexiconPath;
        host.startLoad(settings.lexiconPath);
    }
    writeSettings(settings);
}

}  // namespace scramblo::ui
