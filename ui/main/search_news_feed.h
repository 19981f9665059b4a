// The main window's side of a flood of search news: a search posts its
// anagrams one by one, and on a large lexicon its progress every few of them,
// far faster than any window shows them. The feed shows each run of queued
// news in one go (the anagrams in one insertion, only the last progress),
// hands the views every anagram shown, keeps the window and any dialog over
// it painted, and hands waiting input to a modal dialog whose loop would take
// the notifications first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/notification.h"
#include "main/results_views.h"
#include "toolkit/dialog.h"

namespace scramblo::ui {

class SearchNewsFeed {
  public:
    // `window` is the main window, with its results box, Found display and
    // progress bar; `views` its results as found and best first.
    SearchNewsFeed(Dialog& window, ResultsViews& views) : window_(window), views_(views) {}

    // Sets up the progress bar and lifts the results box's limit, once the window exists.
    void attach();

    // A new search: its anagrams are counted from the first, and shown.
    void beginSearch();
    // The window asked the running job to stop: the anagrams still queued are
    // counted but not shown, until the job has ended.
    void hideLateLines() { hidingLines_ = true; }
    void jobEnded() { hidingLines_ = false; }

    // Paints the window and any dialog over it when the last painting is
    // 200 ms ago: the system paints only once no posted message waits, which
    // a flood never leaves. For every notification the window takes.
    void paintIfDue() { paintIfDue(kPaintPeriodMs); }
    // Shows this anagram or progress and the search news queued right behind it.
    void show(const Notification& news);
    // Under Options, About, a message box or the file dialog: hands the dialog
    // the input that waits.
    void passInputToModal();

    void setProgress(uint32_t position);

  private:
    static constexpr DWORD kPaintPeriodMs = 200;

    // Anagram lines that go into the results box in one insertion, and the
    // progress shown after them.
    struct JoinedLines {
        std::string text;
        uint32_t lastShown = 0;            // the received count of the last line in `text`
        std::optional<uint32_t> progress;  // the last progress taken
    };

    void gather(JoinedLines& joined, const Notification& news);
    // Takes the anagrams and progress queued right behind, until shortly after
    // the last painting and unless input waits. Answers whether it took
    // another message, into `next`.
    bool joinQueuedNews(JoinedLines& joined, MSG& next);
    void appendToResults(const std::string& lines);
    void paintIfDue(DWORD periodMs);

    Dialog& window_;
    ResultsViews& views_;
    uint32_t receivedCount_ = 0;  // anagram notifications since the search began, shown or not
    bool hidingLines_ = false;
    DWORD lastPainting_ = 0;
};

}  // namespace scramblo::ui
