// The best-first view: the anagrams that the window shows as found, ranked
// as they come (see best_anagrams.h), in a box of their own. The box is
// written anew only while it is visible and the ranking has changed, at most
// at the painting cadence of a flood and less often when writing it takes
// long, so that a ranking of thousands of lines never holds up the flood. A
// change that comes when nothing else does is shown once it is due.
#pragma once

#include <windows.h>

#include <cstdint>

#include "jobs/notification.h"
#include "ranking/best_anagrams.h"
#include "toolkit/dialog.h"

namespace scramblo::ui {

class BestFirstView {
  public:
    // `window` is the main window, `boxId` the view's box in it.
    BestFirstView(Dialog& window, int boxId) : window_(window), boxId_(boxId) {}
    ~BestFirstView();
    BestFirstView(const BestFirstView&) = delete;
    BestFirstView& operator=(const BestFirstView&) = delete;

    // A new ranking of at most `capacity` anagrams. The box keeps what it
    // shows until the ranking holds one.
    void begin(size_t capacity);
    // The next anagram shown as found.
    void offer(const Notification& anagram);
    // Anagrams offered since the ranking began.
    uint64_t offered() const { return offered_; }

    // Made visible, the box is brought up to date at once.
    void setVisible(bool visible);
    // Brings the box up to date when visible, unless it was written too
    // recently for what writing it costs.
    void refreshIfDue();
    // Brings the box up to date when visible, due or not: the ranking is final.
    void refresh();

  private:
    // The least time between two writings, that of the feed's paintings; and
    // the most of its time that the window spends writing the box: a fifth.
    static constexpr DWORD kLeastPeriodMs = 100;
    static constexpr DWORD kTimeShare = 5;

    DWORD periodMs() const;
    void write();
    // Has the box written once the change is due, should nothing else do it.
    void writeWhenDue();
    static void CALLBACK onTimer(HWND window, UINT, UINT_PTR self, DWORD);

    Dialog& window_;
    const int boxId_;
    BestAnagrams best_{0};
    uint64_t offered_ = 0;
    bool visible_ = false;
    bool stale_ = false;  // the ranking has changed since the box was written
    bool timerSet_ = false;
    DWORD lastWriting_ = 0;
    DWORD writingMs_ = 0;  // what the last writing took
};

}  // namespace scramblo::ui
