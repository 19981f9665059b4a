// The program entry: the main window on the interface thread's message loop.
// The command line is ignored and the exit code is always 0.
#include <windows.h>

#include "main/main_dialog.h"
#include "toolkit/app_module.h"
#include "toolkit/message_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace scramblo::ui;
    int exitCode = 0;
    MessageLoop loop;
    AppModule::init(instance, &loop);
    try {
        MainDialog dialog;
        if (dialog.create()) {
            dialog.show(showCommand);
            exitCode = loop.run();
        }
    } catch (...) {
        // Nothing unwinds into the system; the program ends as after a close.
    }
    AppModule::term();
    return exitCode;
}
