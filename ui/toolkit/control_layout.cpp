#include "control_layout.h"

#include "toolkit/dpi.h"

namespace scramblo::ui {

void ControlLayout::capture(HWND dialog, UINT dpi) {
    dialog_ = dialog;
    dpi_ = dpi;
    RECT client;
    GetClientRect(dialog, &client);
    client_ = {client.right, client.bottom};
    controls_.clear();
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        controls_.push_back({child, place, kNoEdge});
    }
}

void ControlLayout::anchor(HWND control, unsigned edges) {
    for (Control& each : controls_) {
        if (each.window == control) each.edges = edges;
    }
}

RECT ControlLayout::scaled(const RECT& place, UINT dpi) const {
    // Edge by edge, so that controls that meet at one DPI meet at every other.
    return {scaleToDpi(place.left, dpi, dpi_), scaleToDpi(place.top, dpi, dpi_),
            scaleToDpi(place.right, dpi, dpi_), scaleToDpi(place.bottom, dpi, dpi_)};
}

void ControlLayout::arrange(UINT dpi) const {
    if (!captured()) return;
    RECT client;
    GetClientRect(dialog_, &client);
    int extraWidth = client.right - scaleToDpi(client_.cx, dpi, dpi_);
    int extraHeight = client.bottom - scaleToDpi(client_.cy, dpi, dpi_);
    // One step: the controls paint once, at their new places.
    HDWP moves = BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (const Control& control : controls_) {
        RECT place = scaled(control.place, dpi);
        if (control.edges & kLeftEdge) place.left += extraWidth;
        if (control.edges & kRightEdge) place.right += extraWidth;
        if (control.edges & kTopEdge) place.top += extraHeight;
        if (control.edges & kBottomEdge) place.bottom += extraHeight;
        if (moves != nullptr && IsWindow(control.window)) {
            moves = DeferWindowPos(moves, control.window, nullptr, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }
    if (moves != nullptr) EndDeferWindowPos(moves);
}

SIZE ControlLayout::minimumWindowSize(UINT dpi) const {
    RECT window;
    RECT client;
    GetWindowRect(dialog_, &window);
    GetClientRect(dialog_, &client);
    // The frame as it is now, around the captured client area at this DPI.
    return {scaleToDpi(client_.cx, dpi, dpi_) + (window.right - window.left) - client.right,
            scaleToDpi(client_.cy, dpi, dpi_) + (window.bottom - window.top) - client.bottom};
}

}  // namespace scramblo::ui
