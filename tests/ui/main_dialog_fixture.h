// The main window in the test's own process, as the window tests open and
// drive it.
#pragma once

#include <windows.h>
// The common controls' declarations need windows.h before them.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "flood_lexicon.h"
#include "interface_texts.h"
#include "main/main_dialog.h"
#include "main_dialog_ids.h"
#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui::testing {

using namespace scramblo::testing;

// Six words; "listen" has four anagrams in it, "quiz" one.
constexpr char kSmallLexicon[] = "listen\nsilent\ntin\nsel\nles\nquiz\n";

// Whether the text is the format with one number in place of its %d.
inline bool matchesNumber(const std::string& text, const char* format) {
    std::string pattern = format;
    size_t at = pattern.find("%d");
    std::string head = pattern.substr(0, at), tail = pattern.substr(at + 2);
    if (text.size() <= head.size() + tail.size()) return false;
    if (text.compare(0, head.size(), head) != 0) return false;
    if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0) return false;
    std::string number = text.substr(head.size(), text.size() - head.size() - tail.size());
    return number.find_first_not_of("0123456789") == std::string::npos;
}

class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { AppModule::init(GetModuleHandleA(nullptr), &loop_); }
    void TearDown() override { AppModule::term(); }

    // Creates and shows the window on the lexicon, and waits for the load to end.
    void open(MainDialog& dialog, const std::string& lexicon) {
        dialog.settings().lexiconPath = lexicon;
        ASSERT_TRUE(dialog.create());
        ShowWindow(dialog.window(), SW_SHOW);
        ASSERT_TRUE(pumpUntil([&] { return !text(dialog, IDT_MAIN_LEXICON).empty(); }));
    }

    // Writes the flood's lexicon, opens the window on it and starts the
    // search for its phrase; answers the lexicon's path.
    std::string findFlood(MainDialog& dialog, const FloodLexicon& flood) {
        std::string lexicon = folder_.write("flood.txt", flood.words);
        open(dialog, lexicon);
        type(dialog, flood.phrase);
        clickFind(dialog);
        return lexicon;
    }

    // Types the phrase (UTF-8) and lets the loop go idle, so that Find follows it.
    static void type(MainDialog& dialog, const std::string& phrase) {
        dialog.setItemText(IDE_MAIN_PHRASE, phrase);
        pumpPending();
    }

    static void clickFind(MainDialog& dialog) {
        SendMessageA(dialog.item(IDB_MAIN_FIND), BM_CLICK, 0, 0);
    }

    static bool searchEnded(MainDialog& dialog) {
        return !IsWindowEnabled(dialog.item(IDB_MAIN_STOP));
    }

    static std::string text(const MainDialog& dialog, int id) {
        return windowText(dialog.item(id));
    }

    // Clicks a tab over the results, as the mouse does: 0 as found, 1 best first.
    static void clickTab(MainDialog& dialog, int tab) {
        HWND tabs = dialog.item(IDC_MAIN_VIEW);
        RECT place{};
        SendMessageW(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&place));
        LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(tabs, WM_LBUTTONUP, 0, point);
    }

    // Whether the best first show, and not the anagrams as found (also
    // while the window is hidden).
    static bool showsBestFirst(const MainDialog& dialog) {
        auto shown = [&](int id) { return (GetWindowLongW(dialog.item(id), GWL_STYLE) & WS_VISIBLE) != 0; };
        bool best = shown(IDE_MAIN_BEST);
        EXPECT_NE(best, shown(IDE_MAIN_RESULTS)) << "one box shows";
        return best;
    }

    static size_t lineCount(const MainDialog& dialog) {
        return text(dialog, IDE_MAIN_RESULTS).empty()
                   ? 0
                   : static_cast<size_t>(
                         SendMessageA(dialog.item(IDE_MAIN_RESULTS), EM_GETLINECOUNT, 0, 0));
    }

    const InterfaceTexts& t = expectedTexts();
    MessageLoop loop_;
    TempFolder folder_;
};

}  // namespace scramblo::ui::testing
