#include "main/results_views.h"

#include <commctrl.h>

#include "app_ids.h"
#include "settings/wide_text.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

enum Tab : int { AsFound = 0, BestFirst = 1 };

}  // namespace

void ResultsViews::attach() {
    HWND tabs = window_.item(IDC_MAIN_VIEW);
    for (UINT name : {IDS_VIEW_AS_FOUND, IDS_VIEW_BEST_FIRST}) {
        std::wstring text = toUtf16(loadString(name));
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&tab));
    }
    // The boxes lie over the tabs: the tabs, which clip their siblings above
    // them, never paint over a box.
    SetWindowPos(tabs, window_.item(IDE_MAIN_BEST), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(window_.item(IDE_MAIN_BEST), EM_LIMITTEXT, 0, 0);
    SendMessageW(tabs, TCM_SETCURSEL, settings_.bestFirst ? BestFirst : AsFound, 0);
    show(settings_.bestFirst);
    window_.enableItem(IDB_MAIN_SAVE, false);
}

bool ResultsViews::onNotify(const NMHDR& header) {
    if (header.idFrom != IDC_MAIN_VIEW || header.code != TCN_SELCHANGE) return false;
    bool bestFirst = SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0) == BestFirst;
    show(bestFirst);
    settings_.bestFirst = bestFirst;
    writeBestFirst(bestFirst);
    return true;
}

void ResultsViews::show(bool bestFirst) {
    ShowWindow(window_.item(IDE_MAIN_RESULTS), bestFirst ? SW_HIDE : SW_SHOW);
    ShowWindow(window_.item(IDE_MAIN_BEST), bestFirst ? SW_SHOW : SW_HIDE);
    best_.setVisible(bestFirst);
}

int ResultsViews::shownBox() const {
    return settings_.bestFirst ? IDE_MAIN_BEST : IDE_MAIN_RESULTS;
}

void ResultsViews::showNote(const std::string& text) {
    best_.begin(0);
    for (int box : {IDE_MAIN_RESULTS, IDE_MAIN_BEST}) window_.setItemText(box, text);
    window_.enableItem(IDB_MAIN_SAVE, false);
}

void ResultsViews::beginSearch() {
    showNote("");
    best_.begin(settings_.bestShown);
}

void ResultsViews::offer(const Notification& anagram) {
    best_.offer(anagram);
    // The first line of a search: there is something to save.
    if (best_.offered() == 1) window_.enableItem(IDB_MAIN_SAVE, true);
}

}  // namespace scramblo::ui
