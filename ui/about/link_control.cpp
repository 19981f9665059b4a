#include "link_control.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <iterator>
#include <new>

#include "about/hand_cursor.h"
#include "settings/wide_text.h"
#include "toolkit/app_module.h"
#include "toolkit/dialog.h"
#include "toolkit/dpi.h"

namespace scramblo::ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// Statics that show a picture, a rectangle or a frame paint themselves; the
// link then only adds its mouse and keyboard behaviour.
bool showsNoText(LONG_PTR style) {
    switch (style & SS_TYPEMASK) {
        case SS_ICON:
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
        case SS_OWNERDRAW:
        case SS_BITMAP:
        case SS_ENHMETAFILE:
        case SS_ETCHEDHORZ:
        case SS_ETCHEDVERT:
        case SS_ETCHEDFRAME:
            return true;
        default:
            return false;
    }
}

// The parent's font, underlined; none when the parent has no font.
UniqueFont underlinedFontOf(HWND parent) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    LOGFONTW description;
    if (font == nullptr || GetObjectW(font, sizeof description, &description) == 0) return {};
    description.lfUnderline = TRUE;
    return UniqueFont(CreateFontIndirectW(&description));
}

// Answers false, leaving the field none, when memory runs out.
bool storeCopy(std::optional<std::string>& field, const std::string& text) {
    try {
        field = text;
        return true;
    } catch (const std::bad_alloc&) {
        field.reset();
        return false;
    }
}

POINT pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

INT_PTR LinkControl::openWithShell(const std::string& target) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", toUtf16(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

LinkControl::LinkControl(Shell shell) : shell_(std::move(shell)) {}

LinkControl::~LinkControl() {
    if (window_ != nullptr) detach();
}

bool LinkControl::attach(HWND window) {
    if (window == nullptr ||
        !SetWindowSubclass(window, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    initialise();
    return true;
}

void LinkControl::detach() {
    if (IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    RemoveWindowSubclass(window_, subclassProc, kSubclassId);
    window_ = nullptr;
}

void LinkControl::initialise() {
    wchar_t className[8];  // a longer name is no static anyway
    if (GetClassNameW(window_, className, std::size(className)) > 0 &&
        lstrcmpiW(className, L"static") == 0) {
        // The static answers the mouse only with SS_NOTIFY.
        LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
        SetWindowLongPtrW(window_, GWL_STYLE, style | SS_NOTIFY);
        paintLabel_ = !showsNoText(style);
    }
    cursor_ = createHandCursor(AppModule::instance(), dpiOfWindow(window_));
    if (paintLabel_) font_ = underlinedFontOf(GetParent(window_));
    if (!label_) {
        std::string text = windowText(window_);
        if (!text.empty()) setLabel(text);
    }
    if (!target_ && label_) setTarget(*label_);
    calcLinkRect();
    createTooltip();
    if (paintLabel_) colours_ = readBrowserLinkColours(colours_);
}

void LinkControl::createTooltip() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    tooltip_ =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, window_, nullptr, AppModule::instance(), nullptr);
    if (tooltip_ == nullptr) return;
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    sendTool(TTM_ADDTOOLW);
}

// The one tool: the whole attached window, showing the target. The tooltip
// keeps a copy of the text.
void LinkControl::sendTool(UINT message) const {
    std::wstring text = target_ ? toUtf16(*target_) : std::wstring();
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(window_);
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.hinst = AppModule::instance();
    tool.lpszText = target_ ? text.data() : nullptr;
    SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
}

bool LinkControl::setLabel(const std::string& text) {
    bool stored = storeCopy(label_, text);
    calcLinkRect();
    return stored;
}

bool LinkControl::setTarget(const std::string& text) {
    bool stored = storeCopy(target_, text);
    if (!label_) calcLinkRect();
    if (tooltip_ != nullptr) sendTool(TTM_UPDATETIPTEXTW);
    return stored;
}

const std::string* LinkControl::shownText() const {
    if (label_) return &*label_;
    if (target_) return &*target_;
    return nullptr;
}

UINT LinkControl::alignment() const {
    LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    if (style & SS_CENTER) return DT_CENTER;
    if (style & SS_RIGHT) return DT_RIGHT;
    return DT_LEFT;
}

bool LinkControl::calcLinkRect() {
    const std::string* text = shownText();
    if (!IsWindow(window_) || text == nullptr) return false;
    RECT client;
    GetClientRect(window_, &client);
    if (!paintLabel_) {
        linkRect_ = client;
        return true;
    }
    UINT align = alignment();
    RECT measured = client;
    {
        WindowDC dc(window_);
        SelectedObject font(dc.get(), font_.get());
        DrawTextW(dc.get(), toUtf16(*text).c_str(), -1, &measured,
                  DT_CALCRECT | DT_WORDBREAK | align);
    }
    linkRect_ = {client.left, client.top, client.left + (measured.right - measured.left),
                 client.top + (measured.bottom - measured.top)};
    int shift = 0;
    if (align == DT_CENTER) shift = (client.right - linkRect_.right) / 2;
    if (align == DT_RIGHT) shift = client.right - linkRect_.right;
    OffsetRect(&linkRect_, shift, 0);
    return true;
}

bool LinkControl::navigate() {
    if (!target_ || shell_(*target_) <= 32) return false;
    visited_ = true;
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

void LinkControl::followDpi(UINT dpi) {
    if (window_ == nullptr) return;
    cursor_ = createHandCursor(AppModule::instance(), dpi);
    if (paintLabel_) font_ = underlinedFontOf(GetParent(window_));
    calcLinkRect();
    InvalidateRect(window_, nullptr, TRUE);
}

bool LinkControl::showsHand(POINT client) const {
    return target_ && cursor_ && PtInRect(&linkRect_, client);
}

void LinkControl::eraseBackground(HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window_), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(window_)));
    if (brush == nullptr) return;
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, brush);
}

void LinkControl::paint(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, visited_ ? colours_.visited : colours_.link);
    SelectedObject font(dc, font_.get());
    if (const std::string* text = shownText()) {
        // Unclipped: a glyph's ink may reach past its advance, and so past the measured rectangle.
        RECT area = linkRect_;
        DrawTextW(dc, toUtf16(*text).c_str(), -1, &area, DT_WORDBREAK | DT_NOCLIP | alignment());
    }
    if (GetFocus() == window_) DrawFocusRect(dc, &linkRect_);
}

LRESULT CALLBACK LinkControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR /*id*/, DWORD_PTR data) {
    auto* self = reinterpret_cast<LinkControl*>(data);
    try {
        LRESULT result = 0;
        if (self->handle(message, wParam, lParam, result)) return result;
    } catch (...) {
        // Exceptions never unwind into the system's code; the window handles the message itself.
    }
    if (message == WM_NCDESTROY) self->detach();
    return DefSubclassProc(window, message, wParam, lParam);
}

bool LinkControl::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && tooltip_ != nullptr) {
        MSG relayed{window_, message, wParam, lParam, 0, {0, 0}};
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
        case WM_ERASEBKGND:
            if (!paintLabel_) return false;
            eraseBackground(reinterpret_cast<HDC>(wParam));
            result = 1;
            return true;
        case WM_PAINT: {
            if (!paintLabel_) return false;
            PAINTSTRUCT ps;
            paint(BeginPaint(window_, &ps));
            EndPaint(window_, &ps);
            return true;
        }
        case WM_PRINTCLIENT:
            if (!paintLabel_) return false;
            paint(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The focus rectangle comes or goes.
            if (!paintLabel_) return false;
            InvalidateRect(window_, nullptr, TRUE);
            return true;
        case WM_MOUSEMOVE:
            if (!showsHand(pointOf(lParam))) return false;
            SetCursor(cursor_.get());
            return true;
        case WM_LBUTTONDOWN:
            // Only a press on the link starts a click, which a release on it completes.
            if (PtInRect(&linkRect_, pointOf(lParam))) {
                SetFocus(window_);
                SetCapture(window_);
            }
            return true;
        case WM_LBUTTONUP:
            if (GetCapture() == window_) {
                ReleaseCapture();
                if (PtInRect(&linkRect_, pointOf(lParam))) navigate();
            }
            return true;
        case WM_CHAR:
            if (wParam == '\r' || wParam == ' ') navigate();
            return true;
        case WM_GETDLGCODE: {
            result = DLGC_WANTCHARS;
            // Return opens the focused link instead of pressing the dialog's default button.
            auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                result |= DLGC_WANTMESSAGE;
            }
            return true;
        }
        case WM_SETCURSOR: {
            // Keeps the hand that WM_MOUSEMOVE set, instead of the class cursor.
            POINT cursor;
            GetCursorPos(&cursor);
            ScreenToClient(window_, &cursor);
            if (!showsHand(cursor)) return false;
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace scramblo::ui
