#include "dialog.h"

#include <vector>

#include "app_module.h"

namespace scramblo::ui {

Dialog::~Dialog() {
    destroy();
}

bool Dialog::createModeless(int templateId, HWND owner) {
    modal_ = false;
    return CreateDialogParamA(AppModule::instance(), MAKEINTRESOURCEA(templateId), owner,
                              dialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR Dialog::runModal(int templateId, HWND owner) {
    modal_ = true;
    return DialogBoxParamA(AppModule::instance(), MAKEINTRESOURCEA(templateId), owner, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void Dialog::end(INT_PTR result) {
    if (window_ != nullptr) EndDialog(window_, result);
}

void Dialog::destroy() {
    if (window_ != nullptr && !modal_) DestroyWindow(window_);
}

std::string windowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText, which answers only the caption of
    // another process's window.
    std::vector<char> text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::string Dialog::itemText(int id) const {
    return windowText(item(id));
}

void Dialog::setItemText(int id, const std::string& text) const {
    SetDlgItemTextA(window_, id, text.c_str());
}

void Dialog::enableItem(int id, bool enable) const {
    EnableWindow(item(id), enable);
}

void Dialog::centerOver(HWND owner) const {
    RECT area;
    if (owner == nullptr || !GetWindowRect(owner, &area)) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    GetWindowRect(window_, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->handle(message, wParam, lParam);
    } catch (...) {
        // Exceptions never unwind into the system's code; the message counts as unhandled.
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog() ? TRUE : FALSE;
    if (message == WM_COMMAND) {
        return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                         : FALSE;
    }
    INT_PTR result = FALSE;
    return onMessage(message, wParam, lParam, result) ? result : FALSE;
}

}  // namespace scramblo::ui
