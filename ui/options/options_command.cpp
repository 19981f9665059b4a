#include "options_command.h"

#include "options/options_dialog.h"
#include "options/settings_store.h"

namespace scramblo::ui {

void runOptionsCommand(OptionsHost& host, HWND owner) {
    Finder& finder = host.finder();
    OptionsDialog dialog;
    dialog.maxAnagramCount = finder.maxAnagramCount;
    dialog.minWordLength = finder.minWordLength;
    dialog.maxWordCount = finder.maxWordCount;
    dialog.breadthFirst = finder.breadthFirst;
    dialog.lexiconPath = host.lexiconPath();
    if (dialog.run(owner) != IDOK) return;

    finder.maxAnagramCount = dialog.maxAnagramCount;
    finder.minWordLength = dialog.minWordLength;
    finder.maxWordCount = dialog.maxWordCount;
    finder.breadthFirst = dialog.breadthFirst;
    // Byte for byte: a path that differs only in case is another file to load.
    if (dialog.lexiconPath != host.lexiconPath()) {
        host.lexiconPath() = dialog.lexiconPath;
        host.startLoad(host.lexiconPath());
    }
    writeSettings(finder, host.lexiconPath());
}

}  // namespace scramblo::ui
