// The program's module instance, from which every dialog, string and icon is
// loaded, and the interface thread's message loop.
#pragma once

#include <windows.h>

namespace scramblo::ui {

class MessageLoop;

class AppModule {
  public:
    // Also registers the common control classes that the templates use.
    static void init(HINSTANCE instance, MessageLoop* loop);
    static void term() { init(nullptr, nullptr); }

    static HINSTANCE instance() { return instance_; }
    // The interface thread's loop, or none while no loop runs.
    static MessageLoop* messageLoop() { return loop_; }

  private:
    static HINSTANCE instance_;
    static MessageLoop* loop_;
};

}  // namespace scramblo::ui
