// The main window's handling of a flood of search news, driven through the
// window that owns it.
#include "main/search_news_feed.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "jobs/anagram_text.h"
#include "main_dialog_fixture.h"
#include "platform/platform_win32.h"

namespace scramblo::ui::testing {
namespace {

using SearchNewsFeedTest = MainDialogTest;

TEST_F(SearchNewsFeedTest, SearchNewsQueuedTogetherEndsAtTheLastProgressAndKeepsEveryLine) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("words.txt", kSmallLexicon)));
    const char* const lines[] = {"les tin", "sel tin", "nil set"};
    pumpPending();
    PostMessageA(dialog.window(), kNotificationMessage, SearchProgress, 3);
    for (uintptr_t i = 0; i < 3; ++i) {
        PostMessageA(dialog.window(), kNotificationMessage, AnagramFound,
                     reinterpret_cast<LPARAM>(newAnagramText(lines[i])));
        PostMessageA(dialog.window(), kNotificationMessage, SearchProgress, 7 + i);
    }
    PostMessageA(dialog.window(), kNotificationMessage, LoadProgress, 12000);
    PostMessageA(dialog.window(), kNotificationMessage, SearchProgress, 20);
    PostMessageA(dialog.window(), kNotificationMessage, SearchProgress, 21);
    auto position = [&] { return SendMessageA(dialog.item(IDP_MAIN_PROGRESS), PBM_GETPOS, 0, 0); };
    // Taken one by one as the message loop would: the first progress takes the
    // anagrams and progress behind it along, and what follows still comes in
    // order.
    MSG msg;
    auto takeNotification = [&] {
        return PeekMessageA(&msg, dialog.window(), kNotificationMessage, kNotificationMessage,
                            PM_REMOVE);
    };
    ASSERT_TRUE(takeNotification());
    DispatchMessageA(&msg);
    EXPECT_EQ(text(dialog, IDE_MAIN_RESULTS), "les tin\r\nsel tin\r\nnil set");
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, 3));
    EXPECT_EQ(position(), 12);  // the load progress taken right behind them
    ASSERT_TRUE(takeNotification());
    DispatchMessageA(&msg);
    EXPECT_EQ(position(), 21);
    EXPECT_EQ(platform::notificationsInFlight(dialog.window()), 0u);
}

// The results box's paintings: when, and how many lines it held.
struct Painting {
    DWORD time;
    LRESULT lines;
};
std::vector<Painting> paintings;

LRESULT CALLBACK recordPainting(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message == WM_PAINT) {
        paintings.push_back({GetTickCount(), SendMessageA(window, EM_GETLINECOUNT, 0, 0)});
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(SearchNewsFeedTest, TheResultsBoxPaintsThroughoutAFloodNotOnlyAtItsEnd) {
    MainDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog, folder_.write("words.txt", kSmallLexicon)));
    pumpPending();
    constexpr int kLines = 30000;
    for (int i = 0; i < kLines; ++i) {
        std::string line = "anagram " + std::to_string(i);
        PostMessageA(dialog.window(), kNotificationMessage, AnagramFound,
                     reinterpret_cast<LPARAM>(newAnagramText(line)));
    }
    HWND box = dialog.item(IDE_MAIN_RESULTS);
    paintings.clear();
    ASSERT_TRUE(SetWindowSubclass(box, recordPainting, 0, 0));
    DWORD start = GetTickCount();
    EXPECT_TRUE(
        pumpUntil([&] { return SendMessageA(box, EM_GETLINECOUNT, 0, 0) == kLines; }, 60000));
    RemoveWindowSubclass(box, recordPainting, 0);

    // Every 200 ms or so; the bound leaves room for a busy machine.
    constexpr DWORD kLongestUnpainted = 1000;
    DWORD last = start;
    int duringFlood = 0;
    for (const Painting& painting : paintings) {
        if (painting.lines == kLines) break;
        EXPECT_LT(painting.time - last, kLongestUnpainted) << "at line " << painting.lines;
        last = painting.time;
        ++duringFlood;
    }
    EXPECT_GE(duringFlood, 2);
    EXPECT_EQ(text(dialog, IDT_MAIN_FOUND), format(t.found, kLines));
}

}  // namespace
}  // namespace scramblo::ui::testing
