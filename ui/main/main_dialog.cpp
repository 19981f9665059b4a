#include "main/main_dialog.h"

#include "about/about_dialog.h"
#include "app_ids.h"
#include "main_dialog_ids.h"
#include "options/lexicon_lookup.h"
#include "main/save_command.h"
#include "platform/platform_win32.h"
#include "settings/settings_store.h"
#include "toolkit/app_module.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

constexpr DWORD kStopWaitMs = 1000;
constexpr uint32_t kWordsPerLoadStep = 1000;

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
    readSettings(settings_);
    if (settings_.lexiconPath.empty()) settings_.lexiconPath = kDefaultLexicon;
    keys_ = LoadAcceleratorsW(AppModule::instance(), MAKEINTRESOURCEW(IDA_MAIN));
    views_.attach();
    feed_.attach();
    builder_.attach();
    finder_.notifyTarget = window();
    platform::coalesceProgress(window());
    startLoad(settings_.lexiconPath);
    return true;
}

bool MainDialog::onCommand(int id, int notifyCode, HWND) {
    if (builder_.onCommand(id, notifyCode)) return true;
    switch (id) {
        case IDB_MAIN_FIND:
            find();
            return true;
        case IDB_MAIN_STOP:
            stop();
            return true;
        case IDB_MAIN_SAVE:
            save();
            return true;
        case IDB_MAIN_OPTIONS:
            runOptionsCommand(*this, GetActiveWindow());
            builder_.update();  // for the minimum word length
            return true;
        case IDB_MAIN_ABOUT:
            showAboutDialog(GetActiveWindow());
            return true;
        default:
            return false;
    }
}

bool MainDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (builder_.onMessage(message, lParam) ||
        frame_.onSplitterMessage(message, wParam, lParam, result)) {
        return true;
    }
    switch (message) {
        case WM_NOTIFY:
            return views_.onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case kNotificationMessage:
            onNotification(platform::receive(window(), wParam, lParam));
            feed_.passInputToModal();
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
    return window() != nullptr &&
           (TranslateAcceleratorW(window(), keys_, &msg) || IsDialogMessageW(window(), &msg));
}

void MainDialog::onIdle() {
    enableItem(IDB_MAIN_FIND, ready_ && GetWindowTextLengthW(item(IDE_MAIN_PHRASE)) > 0);
}

void MainDialog::startLoad(const std::string& path) {
    // From here until the load has ended nothing on this thread reads the lexicon.
    builder_.lexiconChanging();
    stopAndWait();
    views_.showNote(formatString(IDS_LEXICON_LOADING, path.c_str()));
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
    // A worker that outlives the wait keeps the flag raised until it ends: the
    // next job lowers it as it is set (see Finder::setJob), never the window.
    jobs_.waitForEnd(kStopWaitMs);
}

void MainDialog::stop() {
    feed_.hideLateLines();
    jobs_.requestStop();
}

void MainDialog::find() {
    // Find is offered only when ready, but Enter or another program can still send it.
    if (!ready_) return;
    setItemText(IDT_MAIN_LEXICON, formatString(IDS_LEXICON_COUNT, wordCount_));
    setItemText(IDT_MAIN_FOUND, formatString(IDS_FOUND_COUNT, 0));
    views_.beginSearch();
    enableItem(IDB_MAIN_STOP, true);
    ready_ = false;
    feed_.beginSearch();
    builder_.prepareSearch(finder_);
    if (!launch(Search, itemText(IDE_MAIN_PHRASE))) onSearchEnded();
}

void MainDialog::close() {
    frame_.save();
    // Nothing of the job is wanted any more: a load stops reading too. One
    // that is stuck in a read is waited for out of sight, and the finder is
    // never destroyed under it.
    feed_.hideLateLines();
    jobs_.abandon();
    if (!jobs_.waitForEnd(kStopWaitMs)) ShowWindow(window(), SW_HIDE);
    jobs_.abandonAndWait();
    destroy();
    PostQuitMessage(0);
}

void MainDialog::save() {
    // Ctrl+S comes whether Save is offered or not.
    if (views_.holdAnagrams()) runSaveCommand(*this, views_.shownBox(), finder_.jobText());
}

void MainDialog::onNotification(Notification notification) {
    const uintptr_t code = notification.code, value = notification.value;
    feed_.paintIfDue();
    // A job's end: its worker posts nothing more and ends at once, so it is
    // waited for as it is, without a stop request.
    if (endsJob(code)) jobs_.waitForEnd(JobDriver::kForever);
    if (pendingLoad_) {
        // Everything up to the replaced job's end notification belongs to that job.
        if (endsJob(code)) {
            std::string path = std::move(*pendingLoad_);
            pendingLoad_.reset();
            launchLoad(path);
        }
        return;
    }
    switch (code) {
        case LoadProgress:
            feed_.setProgress(static_cast<uint32_t>(value) / kWordsPerLoadStep);
            break;
        case LoadStopped:
        case LoadDone:
            onLoadEnded(static_cast<uint32_t>(value), finder_.wordsWithForeignCharacters);
            break;
        case SearchStopped:
        case SearchDone:
            setItemText(IDT_MAIN_LEXICON, formatString(IDS_TIME_ELAPSED, static_cast<int>(value)));
            onSearchEnded();
            break;
        case SearchProgress:
        case AnagramFound:
            feed_.show(notification);
            break;
        case PhraseRefused:
            showMessage(loadString(IDS_PHRASE_REFUSED));
            onSearchEnded();
            break;
        case LexiconUnreadable: {
            // The load goes on, reads no line and ends by itself.
            const std::string& path = finder_.jobText();
            showMessage(formatString(IDS_LEXICON_UNREADABLE, path.c_str(),
                                     triedLexiconPaths(path).c_str()));
            break;
        }
        default:
            break;
    }
}

void MainDialog::onLoadEnded(uint32_t wordCount, uint32_t foreignCount) {
    wordCount_ = static_cast<int32_t>(wordCount);
    setItemText(IDT_MAIN_LEXICON, formatString(IDS_LEXICON_COUNT, wordCount_));
    // Said once, without a box for every such list: the next search clears it.
    views_.showNote(foreignCount == 0 ? ""
                                      : formatString(IDS_FOREIGN_CHARACTERS,
                                                     static_cast<int>(foreignCount)));
    feed_.setProgress(0);
    feed_.jobEnded();
    ready_ = true;
    builder_.lexiconLoaded();
}

void MainDialog::onSearchEnded() {
    views_.searchEnded();
    feed_.setProgress(0);
    feed_.jobEnded();
    enableItem(IDB_MAIN_STOP, false);
    ready_ = true;
}

void MainDialog::launchLoad(const std::string& path) {
    finder_.leaveOut = settings_.leaveOut;
    if (!launch(LoadLexicon, path)) onLoadEnded(0, 0);
}

bool MainDialog::launch(JobKind kind, const std::string& text) {
    if (startJob(kind, text)) return true;
    showMessage(loadString(IDS_WORKER_NOT_STARTED));
    return false;
}

}  // namespace scramblo::ui
