// The main window: a modeless dialog that owns the finder, starts each job on
// a worker thread and turns the worker's notifications into its controls.
// It is the message loop's dialog-keyboard filter and sets Find's enabled
// state when the loop is idle.
#pragma once

#include <optional>
#include <string>

#include "jobs/finder.h"
#include "jobs/job_driver.h"
#include "jobs/notification.h"
#include "main/main_window_frame.h"
#include "main/results_views.h"
#include "main/search_news_feed.h"
#include "main/word_builder.h"
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

    const Finder& finder() const { return finder_; }
    UserSettings& settings() override { return settings_; }

    // Loads the lexicon file at `path`, replacing any running job.
    void startLoad(const std::string& path) override;
    // Asks the running job to stop and waits for its worker, at most one second.
    void stopAndWait();

  protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool preTranslateMessage(MSG& msg) override;
    void onIdle() override;
    void onDpiChanged(UINT) override { frame_.onDpiChanged(); }

    // Starts the job on a new worker thread, a search with the settings as
    // they are now; false when it cannot.
    virtual bool startJob(JobKind kind, const std::string& text) {
        return jobs_.start(kind, text, settings_.search);
    }

  private:
    void find();
    // The window's own stop request: the job's anagrams still on their way
    // are not shown. (A search also stops itself at the maximum anagram count,
    // and shows every anagram up to it.)
    void stop();
    void close();
    void save();
    void onNotification(Notification notification);
    // `foreignCount`: the words that hold characters counting as no letter.
    void onLoadEnded(uint32_t wordCount, uint32_t foreignCount);
    void onSearchEnded();
    void launchLoad(const std::string& path);
    bool launch(JobKind kind, const std::string& text);

    MainWindowFrame frame_{*this};
    UserSettings settings_;
    ResultsViews views_{*this, settings_};
    SearchNewsFeed feed_{*this, views_};
    HACCEL keys_ = nullptr;
    // Declared before its driver, so that it outlives the worker.
    Finder finder_;
    JobDriver jobs_{finder_};
    WordBuilder builder_{*this, finder_, settings_.search};
    int32_t wordCount_ = 0;
    bool ready_ = false;  // a load has ended and no job runs
    // A load waiting for a replaced job whose worker outlived its wait; that
    // job's notifications are ignored until its end notification.
    std::optional<std::string> pendingLoad_;
};

}  // namespace scramblo::ui
