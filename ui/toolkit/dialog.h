// A dialog in message-map style: one static dialog procedure finds the object
// (stored at WM_INITDIALOG) and hands each message to virtual handlers that
// answer whether they claimed it. Unclaimed messages get the system's default
// dialog handling. No exception leaves the dialog procedure.
#pragma once

#include <windows.h>

#include <string>

namespace scramblo::ui {

std::string windowText(HWND window);

class Dialog {
  public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // A modeless dialog from the template; false when it cannot be created.
    bool createModeless(int templateId, HWND owner);
    // Runs the template modally; answers the value given to end, or -1.
    INT_PTR runModal(int templateId, HWND owner);
    void end(INT_PTR result);
    void destroy();

    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }

    std::string itemText(int id) const;
    void setItemText(int id, const std::string& text) const;
    void enableItem(int id, bool enable) const;
    void centerOver(HWND owner) const;  // on the work area when there is no owner

  protected:
    // Answers whether the system should set the focus to the first tab stop.
    virtual bool onInitDialog() { return true; }
    // Commands are told apart by the control's id alone. Answers "claimed?".
    virtual bool onCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return false; }
    // Every other message. Answers "claimed?"; `result` is what the dialog
    // procedure returns for it (set DWLP_MSGRESULT for messages that need it).
    virtual bool onMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }

  private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool modal_ = false;
};

}  // namespace scramblo::ui
