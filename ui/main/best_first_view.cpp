#include "main/best_first_view.h"

#include <algorithm>
#include <string>

#include "settings/wide_text.h"

namespace scramblo::ui {

BestFirstView::~BestFirstView() {
    if (timerSet_) KillTimer(window_.window(), reinterpret_cast<UINT_PTR>(this));
}

void BestFirstView::begin(size_t capacity) {
    best_ = BestAnagrams(capacity);
    offered_ = 0;
    stale_ = false;
}

void BestFirstView::offer(const Notification& anagram) {
    ++offered_;
    // Most anagrams of a long search rank below the last kept: one comparison.
    if (!best_.offer(anagram.text.get(), anagram.score()) || stale_) return;
    stale_ = true;
    writeWhenDue();
}

void BestFirstView::setVisible(bool visible) {
    visible_ = visible;
    refresh();
}

DWORD BestFirstView::periodMs() const {
    return std::max(kLeastPeriodMs, kTimeShare * writingMs_);
}

void BestFirstView::refreshIfDue() {
    if (GetTickCount() - lastWriting_ >= periodMs()) refresh();
}

void BestFirstView::refresh() {
    if (visible_ && stale_) write();
}

void BestFirstView::write() {
    // A timer set for an earlier change would write again too soon.
    if (timerSet_) {
        KillTimer(window_.window(), reinterpret_cast<UINT_PTR>(this));
        timerSet_ = false;
    }
    DWORD start = GetTickCount();
    std::string text;
    for (const std::string& line : best_.best()) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    HWND box = window_.item(boxId_);
    // The lines the user scrolled to stay in view, and the box paints once.
    LRESULT firstVisible = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(box, toUtf16(text).c_str());
    SendMessageW(box, EM_LINESCROLL, 0, firstVisible);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    stale_ = false;
    lastWriting_ = GetTickCount();
    writingMs_ = lastWriting_ - start;
}

void BestFirstView::writeWhenDue() {
    if (!visible_ || timerSet_) return;
    DWORD since = GetTickCount() - lastWriting_;
    DWORD period = periodMs();
    UINT delay = since >= period ? USER_TIMER_MINIMUM : period - since;
    // A timer comes only when no other message waits: during a flood the
    // feed's paintings write the box.
    timerSet_ = SetTimer(window_.window(), reinterpret_cast<UINT_PTR>(this), delay, onTimer) != 0;
}

void CALLBACK BestFirstView::onTimer(HWND window, UINT, UINT_PTR self, DWORD) {
    KillTimer(window, self);
    auto* view = reinterpret_cast<BestFirstView*>(self);
    view->timerSet_ = false;
    try {
        view->refresh();
    } catch (...) {
        // Nothing unwinds into the system; the box shows the ranking at the next change.
    }
}

}  // namespace scramblo::ui
