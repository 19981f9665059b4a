#include "app_module.h"

namespace scramblo::ui {

HINSTANCE AppModule::instance_ = nullptr;
MessageLoop* AppModule::loop_ = nullptr;

void AppModule::init(HINSTANCE instance, MessageLoop* loop) {
    instance_ = instance;
    loop_ = loop;
}

}  // namespace scramblo::ui
