// The interface thread's message loop: message filters see each message
// before it is translated and dispatched (a modeless dialog's keyboard
// handling lives there), and idle handlers run once whenever the queue has
// emptied after a message that matters. Pending keyboard and mouse input is
// taken before anything posted, so that a stream of posted messages never
// keeps the user waiting.
#pragma once

#include <windows.h>

#include <vector>

namespace scramblo::ui {

class MessageFilter {
  public:
    // Answers true when the message has been handled and must not be dispatched.
    virtual bool preTranslateMessage(MSG& msg) = 0;

  protected:
    ~MessageFilter() = default;
};

class IdleHandler {
  public:
    virtual void onIdle() = 0;

  protected:
    ~IdleHandler() = default;
};

class MessageLoop {
  public:
    void addMessageFilter(MessageFilter* filter);
    void removeMessageFilter(MessageFilter* filter);
    void addIdleHandler(IdleHandler* handler);
    void removeIdleHandler(IdleHandler* handler);

    // Runs until WM_QUIT; answers its exit code.
    int run();

    // Offers the message to the filters; answers whether one handled it.
    bool preTranslateMessage(MSG& msg);
    // Sends a message on as the loop does: through the filters, or translated
    // and dispatched. For messages taken from the queue outside the loop.
    void dispatch(MSG& msg);
    void runIdleHandlers();

    // Mouse movement, painting and the caret's system timer do not make the
    // loop idle again; everything else does.
    static bool isIdleMessage(const MSG& msg);

    // Removes the next keyboard or mouse message, if one is waiting; never the quit request.
    static bool takeInput(MSG& msg);

  private:
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
};

}  // namespace scramblo::ui
