#include "dialog.h"

#include <algorithm>
#include <vector>

#include "app_module.h"
#include "dpi.h"
#include "settings/wide_text.h"

namespace scramblo::ui {

Dialog::~Dialog() {
    destroy();
}

bool Dialog::createModeless(int templateId, HWND owner) {
    modal_ = false;
    return CreateDialogParamW(AppModule::instance(), MAKEINTRESOURCEW(templateId), owner,
                              dialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR Dialog::runModal(int templateId, HWND owner) {
    modal_ = true;
    return DialogBoxParamW(AppModule::instance(), MAKEINTRESOURCEW(templateId), owner, dialogProc,
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
    std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) +
                              1);
    auto length = static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return toUtf8({text.data(), std::min(length, text.size() - 1)});
}

std::string Dialog::itemText(int id) const {
    return windowText(item(id));
}

void Dialog::setItemText(int id, const std::string& text) const {
    SetDlgItemTextW(window_, id, toUtf16(text).c_str());
}

void Dialog::enableItem(int id, bool enable) const {
    EnableWindow(item(id), enable);
}

void Dialog::showMessage(const std::string& text) const {
    MessageBoxW(window_, toUtf16(text).c_str(), L"", MB_OK);
}

void Dialog::centerOver(HWND owner) const {
    RECT area;
    if (owner == nullptr || !GetWindowRect(owner, &area)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
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
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->handle(message, wParam, lParam);
    } catch (...) {
        // Exceptions never unwind into the system's code; the message counts as unhandled.
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        captureTemplate();
        return onInitDialog() ? TRUE : FALSE;
    }
    if (message == WM_COMMAND) {
        return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                         : FALSE;
    }
    INT_PTR result = FALSE;
    if (handleSizing(message, wParam, lParam, result)) return result;
    return onMessage(message, wParam, lParam, result) ? result : FALSE;
}

void Dialog::captureTemplate() {
    keepDialogScalingToTheProgram(window_);
    dpi_ = dpiOfWindow(window_);
    layout_.capture(window_, dpi_);
    font_.reset();
    templateFontDpi_ = 0;
    auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    if (font != nullptr && GetObjectW(font, sizeof templateFont_, &templateFont_) != 0) {
        templateFontDpi_ = dpi_;
    }
}

bool Dialog::handleSizing(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layout_.arrange(dpi_);
            return false;  // the dialog may want to know too
        case WM_GETMINMAXINFO: {
            if (!layout_.captured() || !(GetWindowLongPtrW(window_, GWL_STYLE) & WS_THICKFRAME)) {
                return false;
            }
            SIZE minimum = layout_.minimumWindowSize(dpi_);
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.cx, minimum.cy};
            result = TRUE;
            return true;
        }
        case WM_DPICHANGED:
            followDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            result = TRUE;
            return true;
        case WM_GETFONT:
            // The dialog manager keeps answering with the font it made.
            if (!font_) return false;
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(font_.get()));
            result = TRUE;
            return true;
        default:
            return false;
    }
}

void Dialog::followDpi(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    rescaleFont();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Also when the suggested size is the size the dialog had.
    layout_.arrange(dpi_);
    onDpiChanged(dpi_);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Dialog::rescaleFont() {
    if (templateFontDpi_ == 0) return;
    LOGFONTW description = templateFont_;
    description.lfHeight = scaleToDpi(description.lfHeight, dpi_, templateFontDpi_);
    description.lfWidth = scaleToDpi(description.lfWidth, dpi_, templateFontDpi_);
    UniqueFont font(CreateFontIndirectW(&description));
    if (!font) return;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    // No control uses the font before any more.
    font_ = std::move(font);
}

}  // namespace scramblo::ui
