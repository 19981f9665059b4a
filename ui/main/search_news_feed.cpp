#include "main/search_news_feed.h"

#include <commctrl.h>

#include "app_ids.h"
#include "main_dialog_ids.h"
#include "platform/platform_win32.h"
#include "settings/wide_text.h"
#include "toolkit/app_module.h"
#include "toolkit/format_string.h"
#include "toolkit/message_loop.h"

namespace scramblo::ui {
namespace {

constexpr uint32_t kProgressSteps = 60;
// Queued search news is gathered for one insertion until this long after the
// last painting, leaving the rest of the period to the insertion and the next
// painting. A message sent to the window waits for both.
constexpr DWORD kJoiningMs = 100;
// Notifications joined at most: the box takes tens of microseconds per line.
constexpr int kJoinedMost = 4096;
// Queued notifications taken between two looks for waiting input.
constexpr int kJoinedBetweenInputChecks = 32;
constexpr int kInputPassedAtOnce = 16;

// Asked as a wait of no time, which also has the system take in the input
// that its display holds. (Under Wine, asking for messages otherwise makes it
// look at the display every time once a thread stops waiting.)
bool inputPending() {
    return MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_INPUT, MWMO_INPUTAVAILABLE) ==
           WAIT_OBJECT_0;
}

// The main window and whatever dialog or message box is open over it.
void paintThreadWindows() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            UpdateWindow(window);
            return TRUE;
        },
        0);
}

}  // namespace

void SearchNewsFeed::attach() {
    SendDlgItemMessageW(window_.window(), IDP_MAIN_PROGRESS, PBM_SETRANGE, 0,
                        MAKELPARAM(0, kProgressSteps));
    SendDlgItemMessageW(window_.window(), IDE_MAIN_RESULTS, EM_LIMITTEXT, 0, 0);
}

void SearchNewsFeed::beginSearch() {
    receivedCount_ = 0;
    hidingLines_ = false;
}

void SearchNewsFeed::show(const Notification& news) {
    JoinedLines joined;
    gather(joined, news);
    MSG next;
    bool nextTaken = joinQueuedNews(joined, next);
    if (joined.lastShown != 0) {
        appendToResults(joined.text);
        window_.setItemText(IDT_MAIN_FOUND,
                            formatString(IDS_FOUND_COUNT, static_cast<int>(joined.lastShown)));
    }
    if (joined.progress) setProgress(*joined.progress);
    // The insertion takes a while late in a flood, and so does painting:
    // messages sent to the window meanwhile are answered, and waiting input
    // taken, before the window paints.
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (!inputPending()) paintIfDue(kJoiningMs);
    // A message taken to look behind the anagrams goes on as the loop would have sent it.
    if (nextTaken) {
        if (MessageLoop* loop = AppModule::messageLoop()) {
            loop->dispatch(next);
        } else {
            DispatchMessageW(&next);
        }
    }
}

void SearchNewsFeed::gather(JoinedLines& joined, const Notification& news) {
    // Nothing paints while news is gathered: only the last progress shows.
    if (news.code == SearchProgress) {
        joined.progress = static_cast<uint32_t>(news.value);
        return;
    }
    ++receivedCount_;
    if (hidingLines_) return;
    if (receivedCount_ > 1) joined.text += "\r\n";
    joined.text += news.text.get();
    joined.lastShown = receivedCount_;
    views_.offer(news);
}

bool SearchNewsFeed::joinQueuedNews(JoinedLines& joined, MSG& next) {
    HWND window = window_.window();
    for (int taken = 1;; ++taken) {
        if (taken % kJoinedBetweenInputChecks == 0 &&
            (taken == kJoinedMost || GetTickCount() - lastPainting_ >= kJoiningMs ||
             inputPending())) {
            return false;
        }
        // The next posted message of all, whatever it is.
        if (!PeekMessageW(&next, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) return false;
        if (next.hwnd != window || next.message != kNotificationMessage ||
            (next.wParam != AnagramFound && next.wParam != SearchProgress)) {
            return true;
        }
        gather(joined, platform::receive(window, next.wParam, next.lParam));
    }
}

void SearchNewsFeed::appendToResults(const std::string& lines) {
    HWND box = window_.item(IDE_MAIN_RESULTS);
    // The box paints when the window next paints, not while it inserts.
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    // At the end whatever the user selected, scrolled into view, and not
    // undoable. The length is in the box's own wide characters, as the
    // selection is.
    LPARAM end = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, end, end);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    // The whole block converted at once: the box takes UTF-16, the engine gives UTF-8.
    std::wstring text = toUtf16(lines);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void SearchNewsFeed::paintIfDue(DWORD periodMs) {
    if (GetTickCount() - lastPainting_ < periodMs) return;
    views_.refreshIfDue();
    paintThreadWindows();
    lastPainting_ = GetTickCount();
}

void SearchNewsFeed::passInputToModal() {
    // The system's own modal loop takes every posted notification before any
    // key or click: a flood would leave the dialog deaf. (Ending the dialog
    // enables the main window again.) Input that one message makes for
    // another, such as the mouse over a window just closed, waits for the
    // next notification.
    HWND window = window_.window();
    MSG msg;
    for (int taken = 0; taken < kInputPassedAtOnce && window != nullptr &&
                        !IsWindowEnabled(window) && MessageLoop::takeInput(msg);
         ++taken) {
        HWND active = GetActiveWindow();
        if (active == nullptr || !IsDialogMessageW(active, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void SearchNewsFeed::setProgress(uint32_t position) {
    SendDlgItemMessageW(window_.window(), IDP_MAIN_PROGRESS, PBM_SETPOS, position % kProgressSteps,
                        0);
}

}  // namespace scramblo::ui
