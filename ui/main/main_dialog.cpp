#include "main/main_dialog.h"

#include <commctrl.h>

#include "about/about_dialog.h"
#include "app_ids.h"
#include "main_dialog_ids.h"
#include "options/settings_store.h"
#include "platform_win32.h"
#include "toolkit/app_module.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

constexpr DWORD kStopWaitMs = 1000;
constexpr uint32_t kProgressSteps = 60;
constexpr uint32_t kWordsPerLoadStep = 1000;
// While notifications flood in, the window paints itself at least this often.
constexpr DWORD kFloodRepaintMs = 200;
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

MainDialog::~MainDialog() {
    jobs_.abandonAndWait();
    destroy();
}

bool MainDialog::create() {
    return createModeless(IDD_MAIN, nullptr);
}

bool MainDialog::onInitDialog() {
    frame_.attach();
    if (MessageLoop* loop = AppModule::messageLoop()) {
        loop->addMessageFilter(this);
        loop->addIdleHandler(this);
    }
    readSettings(finder_, lexiconPath_);
    SendDlgItemMessageA(window(), IDP_MAIN_PROGRESS, PBM_SETRANGE, 0,
                        MAKELPARAM(0, kProgressSteps));
    SendDlgItemMessageA(window(), IDE_MAIN_RESULTS, EM_LIMITTEXT, 0, 0);
    finder_.targetWindow = window();
    platform::coalesceProgress(window());
    startLoad(lexiconPath_);
    return true;
}

bool MainDialog::onCommand(int id, int, HWND) {
    switch (id) {
        case IDB_MAIN_FIND:
            find();
            return true;
        case IDB_MAIN_STOP:
            stop();
            return true;
        case IDB_MAIN_OPTIONS:
            runOptionsCommand(*this, GetActiveWindow());
            return true;
        case IDB_MAIN_ABOUT:
            showAboutDialog(GetActiveWindow());
            return true;
        default:
            return false;
    }
}

bool MainDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
    switch (message) {
        case kNotificationMessage:
            onNotification(platform::receive(window(), wParam, lParam));
            passInputToModal();
            return true;
        case WM_CLOSE:
            close();
            return true;
        case WM_WINDOWPOSCHANGED:
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
            frame_.follow(message);
            return false;
        case WM_DESTROY:
            if (MessageLoop* loop = AppModule::messageLoop()) {
                loop->removeMessageFilter(this);
                loop->removeIdleHandler(this);
            }
            return false;
        default:
            return false;
    }
}

bool MainDialog::preTranslateMessage(MSG& msg) {
    return window() != nullptr && IsDialogMessageA(window(), &msg);
}

void MainDialog::passInputToModal() {
    // Under Options, About, a message box or the file dialog the system's own
    // modal loop runs, and it takes every posted notification before any key
    // or click: a flood would leave the dialog deaf. The window hands it the
    // input that waits. (Ending the dialog enables this window again.) Input
    // that one message makes for another, such as the mouse over a window
    // just closed, waits for the next notification.
    MSG msg;
    for (int taken = 0; taken < kInputPassedAtOnce && window() != nullptr &&
                        !IsWindowEnabled(window()) && MessageLoop::takeInput(msg);
         ++taken) {
        HWND active = GetActiveWindow();
        if (active == nullptr || !IsDialogMessageA(active, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void MainDialog::onIdle() {
    enableItem(IDB_MAIN_FIND, ready_ && GetWindowTextLengthA(item(IDE_MAIN_PHRASE)) > 0);
}

void MainDialog::startLoad(const std::string& path) {
    stopAndWait();
    setItemText(IDE_MAIN_RESULTS, formatString(IDS_LEXICON_LOADING, path.c_str()));
    setItemText(IDT_MAIN_LEXICON, "");
    enableItem(IDB_MAIN_STOP, false);
    ready_ = false;
    if (jobs_.running()) {
        // The replaced job outlived its wait (a load does not look at the stop
        // flag): this load starts when that job's end notification arrives.
        pendingLoad_ = path;
        return;
    }
    // A path held back for an earlier replaced load gives way to this one, and
    // what the replaced job still has queued must not reach the new load.
    pendingLoad_.reset();
    jobs_.discardQueued();
    launchLoad(path);
}

void MainDialog::stopAndWait() {
    if (!jobs_.running()) return;
    stop();
    if (!jobs_.waitForEnd(kStopWaitMs)) finder_.setStop(false);
}

void MainDialog::stop() {
    stopAsked_ = true;
    jobs_.requestStop();
}

void MainDialog::find() {
    // Find is offered only when ready, but Enter or another program can still send it.
    if (!ready_) return;
    setItemText(IDT_MAIN_LEXICON, formatString(IDS_LEXICON_COUNT, wordCount_));
    setItemText(IDT_MAIN_FOUND, formatString(IDS_FOUND_COUNT, 0));
    setItemText(IDE_MAIN_RESULTS, "");
    enableItem(IDB_MAIN_STOP, true);
    ready_ = false;
    receivedCount_ = 0;
    if (!launch(Search, itemText(IDE_MAIN_PHRASE))) onSearchEnded();
}

void MainDialog::close() {
    frame_.save();
    // Nothing of the job is wanted any more: a load stops reading too. One
    // that is stuck in a read is waited for out of sight, and the finder is
    // never destroyed under it.
    stopAsked_ = true;
    jobs_.abandon();
    if (!jobs_.waitForEnd(kStopWaitMs)) ShowWindow(window(), SW_HIDE);
    jobs_.abandonAndWait();
    destroy();
    PostQuitMessage(0);
}

void MainDialog::onNotification(Notification notification) {
    const uintptr_t code = notification.code, value = notification.value;
    repaintIfDue(kFloodRepaintMs);
    if (pendingLoad_) {
        // Everything up to the replaced job's end notification belongs to that job.
        if (endsJob(code)) {
            jobs_.waitForEnd(JobDriver::kForever);  // it posts nothing more and ends at once
            std::string path = std::move(*pendingLoad_);
            pendingLoad_.reset();
            launchLoad(path);
        }
        return;
    }
    switch (code) {
        case LoadProgress:
            setProgress(static_cast<uint32_t>(value) / kWordsPerLoadStep);
            break;
        case LoadStopped:
        case LoadDone:
            stopAndWait();
            onLoadEnded(static_cast<uint32_t>(value));
            break;
        case SearchStopped:
        case SearchDone:
            stopAndWait();
            setItemText(IDT_MAIN_LEXICON, formatString(IDS_TIME_ELAPSED, static_cast<int>(value)));
            onSearchEnded();
            break;
        case SearchProgress:
        case AnagramFound:
            showSearchNews(notification);
            break;
        case PhraseRefused:
            stopAndWait();
            showMessage(loadString(IDS_PHRASE_REFUSED));
            onSearchEnded();
            break;
        case LexiconUnreadable:
            stopAndWait();
            showMessage(formatString(IDS_LEXICON_UNREADABLE, lexiconPath_.c_str()));
            break;
        default:
            break;
    }
}

void MainDialog::onLoadEnded(uint32_t wordCount) {
    wordCount_ = static_cast<int32_t>(wordCount);
    setItemText(IDT_MAIN_LEXICON, formatString(IDS_LEXICON_COUNT, wordCount_));
    setItemText(IDE_MAIN_RESULTS, "");
    setProgress(0);
    ready_ = true;
    stopAsked_ = false;
}

void MainDialog::onSearchEnded() {
    setProgress(0);
    enableItem(IDB_MAIN_STOP, false);
    ready_ = true;
    stopAsked_ = false;
}

void MainDialog::launchLoad(const std::string& path) {
    if (!launch(LoadLexicon, path)) onLoadEnded(0);
}

bool MainDialog::launch(JobKind kind, const std::string& text) {
    if (startJob(kind, text)) return true;
    showMessage(loadString(IDS_WORKER_NOT_STARTED));
    return false;
}

void MainDialog::showSearchNews(const Notification& notification) {
    JoinedLines joined;
    gather(joined, notification);
    MSG next;
    bool nextTaken = joinQueuedNews(joined, next);
    if (joined.lastShown != 0) {
        appendToResults(joined.text);
        setItemText(IDT_MAIN_FOUND,
                    formatString(IDS_FOUND_COUNT, static_cast<int>(joined.lastShown)));
    }
    if (joined.progress) setProgress(*joined.progress);
    repaintIfDue(kJoiningMs);
    // A message taken to look behind the anagrams goes on as the loop would have sent it.
    if (nextTaken) {
        if (MessageLoop* loop = AppModule::messageLoop()) {
            loop->dispatch(next);
        } else {
            DispatchMessageA(&next);
        }
    }
}

void MainDialog::gather(JoinedLines& joined, const Notification& notification) {
    // Nothing paints while news is gathered: only the last progress shows.
    if (notification.code == SearchProgress) {
        joined.progress = static_cast<uint32_t>(notification.value);
    } else {
        addLine(joined, notification.text.get());
    }
}

void MainDialog::addLine(JoinedLines& joined, const char* text) {
    ++receivedCount_;
    if (stopAsked_) return;
    if (receivedCount_ > 1) joined.text += "\r\n";
    joined.text += text;
    joined.lastShown = receivedCount_;
}

bool MainDialog::joinQueuedNews(JoinedLines& joined, MSG& next) {
    for (int taken = 1;; ++taken) {
        if (taken % kJoinedBetweenInputChecks == 0 &&
            (taken == kJoinedMost || GetTickCount() - lastRepaint_ >= kJoiningMs ||
             inputPending())) {
            return false;
        }
        // The next posted message of all, whatever it is.
        if (!PeekMessageA(&next, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) return false;
        if (next.hwnd != window() || next.message != kNotificationMessage ||
            (next.wParam != AnagramFound && next.wParam != SearchProgress)) {
            return true;
        }
        gather(joined, platform::receive(window(), next.wParam, next.lParam));
    }
}

void MainDialog::appendToResults(const std::string& lines) {
    HWND box = item(IDE_MAIN_RESULTS);
    // The box paints when the window next paints, not while it inserts.
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    // At the end whatever the user selected, scrolled into view, and not
    // undoable. The length is in the box's own wide characters, as the
    // selection is; the ANSI length has the system copy out the whole text.
    LPARAM end = GetWindowTextLengthW(box);
    SendMessageA(box, EM_SETSEL, end, end);
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void MainDialog::repaintIfDue(DWORD periodMs) {
    // The system paints only once no posted message waits, which a flood of
    // anagrams or progress never leaves.
    if (GetTickCount() - lastRepaint_ < periodMs) return;
    paintThreadWindows();
    lastRepaint_ = GetTickCount();
}

void MainDialog::setProgress(uint32_t position) {
    SendDlgItemMessageA(window(), IDP_MAIN_PROGRESS, PBM_SETPOS, position % kProgressSteps, 0);
}

void MainDialog::showMessage(const std::string& text) {
    MessageBoxA(window(), text.c_str(), "", MB_OK);
}

}  // namespace scramblo::ui
