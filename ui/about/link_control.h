// A hyperlink made of an existing control, usually a static text: the control
// is subclassed, its text is drawn underlined in the link colour (the visited
// colour once opened), a hand cursor shows over the text, a tooltip names the
// target over the whole control, and a click or the Return or Space key asks
// the shell to open the target.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

#include "about/link_colours.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class LinkControl {
  public:
    // Opens a target; answers the shell's result, where above 32 is success.
    using Shell = std::function<INT_PTR(const std::string& target)>;
    // The shell's "open" verb, with no owner and the normal show state.
    static INT_PTR openWithShell(const std::string& target);

    explicit LinkControl(Shell shell = openWithShell);
    ~LinkControl();
    LinkControl(const LinkControl&) = delete;
    LinkControl& operator=(const LinkControl&) = delete;

    // Subclasses the window and takes over its text as label and target.
    // Answers whether the window could be subclassed.
    bool attach(HWND window);

    bool setLabel(const std::string& text);
    bool setTarget(const std::string& text);
    // The area that reacts to the mouse and holds the text. Answers false,
    // changing nothing, without a window or without both label and target.
    bool calcLinkRect();
    // Answers whether the shell opened the target.
    bool navigate();
    // After the dialog changed its font for a new DPI: the link's font and
    // hand follow it.
    void followDpi(UINT dpi);

    HWND window() const { return window_; }
    const RECT& linkRect() const { return linkRect_; }

  private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    // Answers "claimed?"; `result` is the answer for a claimed message.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void initialise();
    void detach();
    void createTooltip();
    // Sends the tooltip the link's tool with `message` (adding or updating it).
    void sendTool(UINT message) const;
    void paint(HDC dc);
    void eraseBackground(HDC dc);
    // Over the link's text, where the hand shows while there is a target.
    bool showsHand(POINT client) const;
    // The text shown: the label, or the target while there is no label.
    const std::string* shownText() const;
    UINT alignment() const;

    HWND window_ = nullptr;
    std::optional<std::string> label_;
    std::optional<std::string> target_;
    UniqueCursor cursor_;
    UniqueFont font_;
    RECT linkRect_{};
    bool paintLabel_ = true;  // false for image and frame statics, which paint themselves
    HWND tooltip_ = nullptr;  // owned by the window, destroyed with it
    bool visited_ = false;
    LinkColours colours_;
    Shell shell_;
};

}  // namespace scramblo::ui
