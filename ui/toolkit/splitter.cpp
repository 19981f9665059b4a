#include "toolkit/splitter.h"

#include <windowsx.h>

#include <algorithm>

namespace scramblo::ui {

void Splitter::attach(HWND left, HWND right) {
    left_ = left;
    right_ = right;
    RECT leftPlace = placeOf(left), rightPlace = placeOf(right);
    dialog_.layout().setSplitRange(-(leftPlace.right - leftPlace.left) / 2,
                                   (rightPlace.right - rightPlace.left) / 2);
}

int Splitter::leftWidth() const {
    RECT place = placeOf(left_);
    return place.right - place.left;
}

void Splitter::setLeftWidth(int width) {
    moveSplit(dialog_.layout().split(dialog_.dpi()) + width - leftWidth());
}

void Splitter::moveSplit(int offset) {
    dialog_.layout().setSplit(offset, dialog_.dpi());
    dialog_.layout().arrange(dialog_.dpi());
}

bool Splitter::overGap(POINT point) const {
    if (left_ == nullptr) return false;
    RECT leftPlace = placeOf(left_), rightPlace = placeOf(right_);
    RECT gap{leftPlace.right, std::min(leftPlace.top, rightPlace.top), rightPlace.left,
             std::max(leftPlace.bottom, rightPlace.bottom)};
    return PtInRect(&gap, point) != FALSE;
}

bool Splitter::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    HWND dialog = dialog_.window();
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wParam) != dialog || LOWORD(lParam) != HTCLIENT)
                return false;
            GetCursorPos(&point);
            ScreenToClient(dialog, &point);
            if (!dragging_ && !overGap(point)) return false;
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(LOWORD(IDC_SIZEWE))));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            result = TRUE;
            return true;
        }
        case WM_LBUTTONDOWN:
            if (!overGap(point)) return false;
            SetCapture(dialog);
            dragging_ = true;
            dragStartX_ = point.x;
            dragStartSplit_ = dialog_.layout().split(dialog_.dpi());
            return true;
        case WM_MOUSEMOVE:
            if (!dragging_) return false;
            moveSplit(dragStartSplit_ + point.x - dragStartX_);
            return true;
        case WM_LBUTTONUP:
            if (!dragging_) return false;
            ReleaseCapture();  // which ends the drag
            return true;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return false;
        default:
            return false;
    }
}

}  // namespace scramblo::ui
