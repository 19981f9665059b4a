#include "options_command.h"

#include "options/options_dialog.h"
#include "settings/settings_store.h"

namespace scramblo::ui {

void runOptionsCommand(OptionsHost& host, HWND owner) {
    OptionsDialog dialog;
    dialog.settings = host.settings();
    dialog.lexiconPath = host.lexiconPath();
    if (dialog.run(owner) != IDOK) return;

    host.settings() = dialog.settings;
    // Byte for byte: a path that differs only in case is another file to load.
    if (dialog.lexiconPath != host.lexiconPath()) {
        host.lexiconPath() = dialog.lexiconPath;
        host.startLoad(host.lexiconPath());
    }
    writeSettings(host.settings(), host.lexiconPath());
}

}  // namespace scramblo::ui
