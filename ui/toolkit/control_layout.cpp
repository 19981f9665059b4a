#include "control_layout.h"

#include <algorithm>
#include <utility>

#include "toolkit/dpi.h"

namespace scramblo::ui {

RECT placeOf(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void ControlLayout::capture(HWND dialog, UINT dpi) {
    dialog_ = dialog;
    dpi_ = dpi;
    RECT client;
    GetClientRect(dialog, &client);
    client_ = {client.right, client.bottom};
    controls_.clear();
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        controls_.push_back({child, placeOf(child), kNoEdge, kNoEdge});
    }
    split_ = splitLeast_ = splitMost_ = 0;
}

void ControlLayout::anchor(HWND control, unsigned edges) {
    for (Control& each : controls_) {
        if (each.window == control) each.edges = edges;
    }
}

void ControlLayout::followSplit(HWND control, unsigned edges) {
    for (Control& each : controls_) {
        if (each.window == control) each.splitEdges = edges;
    }
}

void ControlLayout::setSplitRange(int least, int most) {
    splitLeast_ = least;
    splitMost_ = most;
}

int ControlLayout::splitWithinRange(int offset, UINT dpi) const {
    RECT client;
    GetClientRect(dialog_, &client);
    int grown = std::max(scaleToDpi(client.right, dpi_, dpi) - static_cast<int>(client_.cx), 0);
    return std::clamp(offset, splitLeast_, std::max(splitMost_ + grown, splitLeast_));
}

int ControlLayout::split(UINT dpi) const {
    return captured() ? scaleToDpi(splitWithinRange(split_, dpi), dpi, dpi_) : 0;
}

void ControlLayout::setSplit(int offset, UINT dpi) {
    if (captured()) split_ = splitWithinRange(scaleToDpi(offset, dpi_, dpi), dpi);
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
    const int split = splitWithinRange(split_, dpi);
    std::vector<std::pair<HWND, RECT>> moved;
    for (const Control& control : controls_) {
        RECT place = control.place;
        if (control.splitEdges & kLeftEdge) place.left += split;
        if (control.splitEdges & kRightEdge) place.right += split;
        place = scaled(place, dpi);
        if (control.edges & kLeftEdge) place.left += extraWidth;
        if (control.edges & kRightEdge) place.right += extraWidth;
        if (control.edges & kTopEdge) place.top += extraHeight;
        if (control.edges & kBottomEdge) place.bottom += extraHeight;
        if (!IsWindow(control.window)) continue;
        RECT now = placeOf(control.window);
        if (!EqualRect(&place, &now)) moved.emplace_back(control.window, place);
    }
    // In one step, each control painted whole at its new place: bits copied
    // from its old place could carry along what another control showed there.
    HDWP moves = BeginDeferWindowPos(static_cast<int>(moved.size()));
    for (const auto& [control, place] : moved) {
        if (moves == nullptr) break;
        moves = DeferWindowPos(moves, control, nullptr, place.left, place.top,
                               place.right - place.left, place.bottom - place.top,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS);
    }
    if (moves != nullptr) EndDeferWindowPos(moves);
    // A control without a background of its own, the group box, shows the
    // dialog's beneath it, which the move does not renew.
    for (const auto& [control, place] : moved) InvalidateRect(dialog_, &place, TRUE);
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
