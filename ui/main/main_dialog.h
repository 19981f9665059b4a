// The main window: a modeless dialog that owns the finder, starts each job on
// a worker thread and turns the worker's notifications into its controls.
// It is the message loop's dialog-keyboard filter and sets Find's enabled
// state when the loop is idle.
#pragma once

#include <optional>
#include <string>

#include "finder.h"
#include "job_driver.h"
#include "main/main_window_frame.h"
#include "notification.h"
#include "options/options_command.h"
#include "toolkit/dialog.h"
#include "toolkit/message_loop.h"

namespace scramblo::ui {

class MainDialog : public Dialog, public MessageFilter, public IdleHandler, public OptionsHost {
  public:
    MainDialog() = default;
    // Abandons a running job and waits for its worker, without limit, before the finder goes.
    ~MainDialog() override;

    // Creates the hidden window from its template; false when that fails.
    bool create();
    // Shows the window for the first time, as the start asks or as it last closed.
    void show(int showCommand) { ShowWindow(window(), frame_.firstShowState(showCommand)); }

    Finder& finder() override { return finder_; }
    std::string& lexiconPath() override { return lexiconPath_; }

    // Loads the lexicon file at `path`, replacing any running job.
    void startLoad(const std::string& path) override;
    // Ends the running worker, waiting for it at most one second.
    void stopAndWait();

  protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool preTranslateMessage(MSG& msg) override;
    void onIdle() override;
    void onDpiChanged(UINT) override { frame_.onDpiChanged(); }

    // Starts the job on a new worker thread; false when it cannot.
    virtual bool startJob(JobKind kind, const std::string& text) { return jobs_.start(kind, text); }

  private:
    // Anagram lines that go into the results box in one insertion, and the
    // progress shown after them.
    struct JoinedLines {
        std::string text;
        uint32_t lastShown = 0;            // the received count of the last line in `text`
        std::optional<uint32_t> progress;  // the last progress taken
    };

    void find();
    void stop();
    void close();
    void onNotification(Notification notification);
    void passInputToModal();
    void onLoadEnded(uint32_t wordCount);
    void onSearchEnded();
    void launchLoad(const std::string& path);
    bool launch(JobKind kind, const std::string& text);
    // Shows this anagram or progress and the search news queued right behind
    // it: the anagrams in one insertion, only the last progress.
    void showSearchNews(const Notification& notification);
    void gather(JoinedLines& joined, const Notification& notification);
    void addLine(JoinedLines& joined, const char* text);
    // Takes the anagrams and progress queued right behind, until shortly after
    // the last painting and unless input waits. Answers whether it took
    // another message, into `next`.
    bool joinQueuedNews(JoinedLines& joined, MSG& next);
    void appendToResults(const std::string& lines);
    // Paints the window and any dialog over it when the last painting is this old.
    void repaintIfDue(DWORD periodMs);
    void setProgress(uint32_t position);
    void showMessage(const std::string& text);

    MainWindowFrame frame_{*this};
    // Declared before its driver, so that it outlives the worker.
    Finder finder_;
    JobDriver jobs_{finder_};
    std::string lexiconPath_ = "WoordenLijst.txt";
    int32_t wordCount_ = 0;
    uint32_t receivedCount_ = 0;  // anagram notifications since Find, shown or not
    bool ready_ = false;          // a load has ended and no job runs
    // This window asked the running job to stop: the anagrams still queued
    // are counted but not shown. (A search also stops itself at the maximum
    // anagram count, and shows every anagram up to it.) Lowered when a job ends.
    bool stopAsked_ = false;
    DWORD lastRepaint_ = 0;  // while notifications flood in
    // A load waiting for a replaced job whose worker outlived its wait; that
    // job's notifications are ignored until its end notification.
    std::optional<std::string> pendingLoad_;
};

}  // namespace scramblo::ui
