// A dialog in message-map style: one static dialog procedure finds the object
// (stored at WM_INITDIALOG) and hands each message to virtual handlers that
// answer whether they claimed it. Unclaimed messages get the system's default
// dialog handling. No exception leaves the dialog procedure.
//
// Dialogs are made with the system's W calls, so their controls keep every
// character; the text that goes in and out of them is UTF-8.
//
// Every dialog follows the DPI of its monitor: on a change it takes the
// system's suggested rectangle and redoes its font and the layout of its
// controls at the new DPI. A dialog with a sizing border keeps its controls
// laid out as anchored and never gets smaller than its template.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/control_layout.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

// A window's text, as UTF-8; another process's window too.
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
    // A message box over the dialog, with an OK button and no caption.
    void showMessage(const std::string& text) const;
    void centerOver(HWND owner) const;  // on the work area when there is no owner

    // The DPI that the dialog is laid out for: its monitor's, as the last
    // change of DPI gave it.
    UINT dpi() const { return dpi_; }
    // Its controls as the template laid them out, taken before onInitDialog.
    ControlLayout& layout() { return layout_; }

  protected:
    // Answers whether the system should set the focus to the first tab stop.
    virtual bool onInitDialog() { return true; }
    // Commands are told apart by the control's id alone. Answers "claimed?".
    virtual bool onCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return false; }
    // Every other message. Answers "claimed?"; `result` is what the dialog
    // procedure returns for it (set DWLP_MSGRESULT for messages that need it).
    virtual bool onMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }
    // After the dialog has followed a change of DPI: what the dialog made
    // for itself (icons, fonts of its own) is due at the new DPI.
    virtual void onDpiChanged(UINT /*dpi*/) {}

  private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void captureTemplate();
    // Answers "claimed?" for what every dialog does about size and DPI.
    bool handleSizing(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    void followDpi(UINT dpi, const RECT& suggested);
    void rescaleFont();

    HWND window_ = nullptr;
    bool modal_ = false;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    ControlLayout layout_;
    // The template's font as the dialog manager made it, and its DPI.
    LOGFONTW templateFont_{};
    UINT templateFontDpi_ = 0;  // none while 0
    UniqueFont font_;           // the template's font at the present DPI, once it changed
};

}  // namespace scramblo::ui
