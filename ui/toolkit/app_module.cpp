#include "app_module.h"

#include <commctrl.h>

namespace scramblo::ui {

HINSTANCE AppModule::instance_ = nullptr;
MessageLoop* AppModule::loop_ = nullptr;

void AppModule::init(HINSTANCE instance, MessageLoop* loop) {
    instance_ = instance;
    loop_ = loop;
    if (instance != nullptr) {
        // The templates use the common controls (progress bar, up-down, tooltips).
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
}

}  // namespace scramblo::ui
