// The results over their two tabs: the anagrams as found, which the feed
// adds to their box, and the best first (see best_first_view.h), ranked from
// the same lines. A click on a tab shows its box; the choice is the user's
// setting, stored as it is made. Both boxes show the window's notes (a load,
// characters that count as no letter), and Save is offered while they hold
// the anagrams of a search.
#pragma once

#include <windows.h>

#include <string>

#include "jobs/notification.h"
#include "main/best_first_view.h"
#include "main_dialog_ids.h"
#include "settings/settings_store.h"
#include "toolkit/dialog.h"

namespace scramblo::ui {

class ResultsViews {
  public:
    // `window` is the main window, with the tabs, both boxes and Save;
    // `settings` the window's, whose choice of view is followed and kept.
    ResultsViews(Dialog& window, UserSettings& settings) : window_(window), settings_(settings) {}

    // Once the window exists: inserts the tabs and shows the box chosen.
    void attach();
    // Answers "claimed?" for a notification from the window's controls.
    bool onNotify(const NMHDR& header);

    // Both boxes show the text, and Save is not offered.
    void showNote(const std::string& text);
    // Find: both boxes emptied, and the best ranked anew, as many as the settings say.
    void beginSearch();
    // Each anagram that the as-found box shows, in its order.
    void offer(const Notification& anagram);
    // Whenever the window paints during a search.
    void refreshIfDue() { best_.refreshIfDue(); }
    // The best first are final.
    void searchEnded() { best_.refresh(); }

    // The box the user sees, by its id.
    int shownBox() const;
    // The boxes hold the anagrams of a search.
    bool holdAnagrams() const { return best_.offered() > 0; }

  private:
    void show(bool bestFirst);

    Dialog& window_;
    UserSettings& settings_;
    BestFirstView best_{window_, IDE_MAIN_BEST};
};

}  // namespace scramblo::ui
