// The About dialog as the user meets it: opened modally from its template,
// driven with mouse and key messages, its link read back from its pixels.
#include "about/about_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "about_dialog_ids.h"
#include "scramblo_version.h"
#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui {
namespace {

using scramblo::testing::imageWidth;
using scramblo::testing::Picture;
using scramblo::testing::placeInParent;
using scramblo::testing::screenRect;
using scramblo::testing::sendDpiChange;
using scramblo::testing::whileModal;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPurple = RGB(128, 0, 128);
constexpr char kTarget[] = "www.brevinck.example";

// One of the browser's colour settings, there for one test.
class BrowserSetting {
  public:
    BrowserSetting(const char* name, const std::string& text, DWORD type) : name_(name) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Settings", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr);
        RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }
    ~BrowserSetting() {
        RegDeleteValueA(key_, name_);
        RegCloseKey(key_);
    }

  private:
    const char* name_;
    HKEY key_ = nullptr;
};

void mouse(HWND link, UINT message, POINT at) {
    SendMessageA(link, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
}

// The middle of the control lies on its centred text, its corner beside it.
POINT onText(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    return {client.right / 2, client.bottom / 2};
}
constexpr POINT kBesideText{1, 1};

void click(HWND link, POINT at) {
    mouse(link, WM_LBUTTONDOWN, at);
    mouse(link, WM_LBUTTONUP, at);
}

// Enough pixels for the text of the link, not a stray one.
bool paintedIn(HWND link, COLORREF colour) {
    return Picture(link).count(colour) > 50;
}

// Pixels in neither the background's nor the text's colour.
int strayPixels(HWND link, COLORREF text) {
    Picture picture(link);
    return picture.width() * picture.height() - picture.count(text) -
           picture.count(picture.at(0, 0));
}

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { AppModule::init(GetModuleHandleA(nullptr), nullptr); }

    // Runs the About dialog; `inside` gets it and its link from within its modal loop.
    INT_PTR withAbout(const std::function<void(HWND dialog, HWND link)>& inside,
                      HWND owner = nullptr) {
        AboutDialog about([this](const std::string& target) {
            opened.push_back(target);
            return shellAnswer;
        });
        return whileModal([&] { return about.run(owner); },
                          [&](HWND dialog) { inside(dialog, GetDlgItem(dialog, IDC_ABOUT_LINK)); });
    }

    std::vector<std::string> opened;  // every target handed to the shell
    INT_PTR shellAnswer = 42;         // above 32: the shell succeeded
};

TEST_F(AboutDialogTest, OpensOverItsOwnerInTheInterfaceLanguage) {
    bool dutch = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_DUTCH;
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 30, 500, 400, nullptr,
                                 nullptr, nullptr, nullptr);
    INT_PTR result = withAbout(
        [&](HWND dialog, HWND link) {
            EXPECT_EQ(windowText(dialog), dutch ? "Info" : "About");
            HWND credit = GetWindow(GetDlgItem(dialog, IDOK), GW_HWNDNEXT);
            EXPECT_EQ(windowText(credit),
                      dutch ? "Scramblo " SCRAMBLO_RELEASE
                              " Anagrammenzoeker\n\nGeschreven door Brevinck\n\nVrij te verspreiden"
                            : "Scramblo " SCRAMBLO_RELEASE
                              " Anagram Finder\n\nWritten by Brevinck\n\nFreeware");
            EXPECT_NE(SendMessageA(GetWindow(credit, GW_HWNDNEXT), STM_GETICON, 0, 0), 0);
            EXPECT_EQ(windowText(link), kTarget);

            RECT own, over;
            GetWindowRect(dialog, &own);
            GetWindowRect(owner, &over);
            EXPECT_NEAR(own.left + own.right, over.left + over.right, 2);
            EXPECT_NEAR(own.top + own.bottom, over.top + over.bottom, 2);

            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
            MSG press{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
            IsDialogMessageA(dialog, &press);
        },
        owner);
    EXPECT_EQ(result, IDOK);
    DestroyWindow(owner);
}

TEST_F(AboutDialogTest, LinkColoursFollowTheBrowserSettings) {
    struct Case {
        const char* link;
        const char* visited;
        DWORD type;
        COLORREF linkColour;
        COLORREF visitedColour;
    } cases[] = {
        {nullptr, nullptr, REG_SZ, kBlue, kPurple},
        {"255,0,0", nullptr, REG_SZ, RGB(255, 0, 0), kPurple},
        {"0,0", nullptr, REG_SZ, kBlue, kPurple},
        {"0,0,", nullptr, REG_SZ, kBlue, kPurple},
        {"-1,0,0", nullptr, REG_SZ, kBlue, kPurple},
        {"12,34,56,78", nullptr, REG_SZ, RGB(12, 34, 56), kPurple},
        {"128, 128, 128", nullptr, REG_SZ, kBlue, kPurple},             // 13 characters: too long
        {"100,200,150", nullptr, REG_SZ, RGB(100, 200, 150), kPurple},  // 11: just fits
        {"1,2,x", nullptr, REG_SZ, RGB(1, 2, 0), kPurple},
        {"255,0,0", "0,128,0", REG_EXPAND_SZ, kBlue, kPurple},  // only plain strings count
        {nullptr, "0,128,0", REG_SZ, kBlue, RGB(0, 128, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.link ? c.link : "-") + " / " + (c.visited ? c.visited : "-"));
        std::optional<BrowserSetting> link, visited;
        if (c.link) link.emplace("Anchor Color", c.link, c.type);
        if (c.visited) visited.emplace("Anchor Color Visited", c.visited, c.type);
        withAbout([&](HWND, HWND control) {
            EXPECT_TRUE(paintedIn(control, c.linkColour));
            click(control, onText(control));
            EXPECT_TRUE(paintedIn(control, c.visitedColour));
        });
    }
}

TEST_F(AboutDialogTest, ClickOpensOnlyWhenPressAndReleaseFallOnTheText) {
    withAbout([&](HWND, HWND link) {
        mouse(link, WM_LBUTTONDOWN, kBesideText);
        EXPECT_NE(GetFocus(), link);
        EXPECT_EQ(GetCapture(), nullptr);

        mouse(link, WM_LBUTTONDOWN, onText(link));
        EXPECT_EQ(GetCapture(), link);
        mouse(link, WM_MOUSEMOVE, kBesideText);
        mouse(link, WM_LBUTTONUP, kBesideText);
        EXPECT_EQ(GetCapture(), nullptr);
        mouse(link, WM_LBUTTONUP, onText(link));  // no press left to complete
        EXPECT_TRUE(opened.empty());
        EXPECT_TRUE(paintedIn(link, kBlue));

        click(link, onText(link));
        EXPECT_EQ(opened, std::vector<std::string>{kTarget});
        EXPECT_EQ(GetFocus(), link);
        Picture visited(link);
        EXPECT_GT(visited.count(kPurple), 50);
        EXPECT_EQ(visited.count(kBlue), 0);
    });
    // A fresh About starts unvisited; a failed open leaves it so; Escape ends it.
    shellAnswer = SE_ERR_NOASSOC;
    INT_PTR result = withAbout([&](HWND dialog, HWND link) {
        EXPECT_TRUE(paintedIn(link, kBlue));
        click(link, onText(link));
        EXPECT_EQ(opened.size(), 2u);
        EXPECT_TRUE(paintedIn(link, kBlue));
        MSG press{link, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageA(dialog, &press);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AboutDialogTest, SpaceAndReturnOpenTheFocusedLink) {
    withAbout([&](HWND dialog, HWND link) {
        EXPECT_EQ(strayPixels(link, kBlue), 0) << "no focus rectangle yet";
        click(link, onText(link));
        EXPECT_GT(strayPixels(link, kPurple), 0) << "a focus rectangle";

        SendMessageA(link, WM_CHAR, 'a', 0);
        SendMessageA(link, WM_CHAR, ' ', 0);
        EXPECT_EQ(opened.size(), 2u);
        // Return goes through the dialog's keyboard handling, as in the modal loop.
        MSG press{link, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        IsDialogMessageA(dialog, &press);
        scramblo::testing::pumpPending();
        EXPECT_EQ(opened.size(), 3u);
        EXPECT_TRUE(IsWindowVisible(dialog));
    });
}

TEST_F(AboutDialogTest, HandCursorShowsOnlyOverTheText) {
    withAbout([&](HWND, HWND link) {
        HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
        SetCursor(arrow);
        mouse(link, WM_MOUSEMOVE, kBesideText);
        EXPECT_EQ(GetCursor(), arrow);
        mouse(link, WM_MOUSEMOVE, onText(link));
        HCURSOR hand = GetCursor();
        ASSERT_NE(hand, arrow);

        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(hand, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 5u);
        EXPECT_EQ(info.yHotspot, 0u);
        // A monochrome cursor: the AND plane above the XOR plane, 4 bytes a row.
        BYTE planes[2 * 32 * 4] = {};
        GetBitmapBits(info.hbmMask, sizeof planes, planes);
        DeleteObject(info.hbmMask);
        auto bit = [&](int plane, int x, int y) {
            return (planes[(plane * 32 + y) * 4 + x / 8] >> (7 - x % 8)) & 1;
        };
        EXPECT_EQ(bit(0, 5, 0) + bit(1, 5, 0), 0) << "black finger tip at the hot spot";
        EXPECT_EQ(bit(0, 6, 1) * 2 + bit(1, 6, 1), 1) << "white finger";
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (x < 17 && y < 22) continue;
                EXPECT_EQ(bit(0, x, y) * 2 + bit(1, x, y), 2) << "transparent at " << x << "," << y;
            }
        }

        // Over the text WM_SETCURSOR keeps the hand; beside it the class cursor comes back.
        for (auto [at, cursor] : {std::pair{onText(link), hand}, std::pair{kBesideText, arrow}}) {
            POINT screen = at;
            ClientToScreen(link, &screen);
            SetCursorPos(screen.x, screen.y);
            SetCursor(hand);
            SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), cursor);
        }
    });
}

TEST_F(AboutDialogTest, TooltipNamesTheTargetOverTheWholeControl) {
    withAbout([&](HWND dialog, HWND link) {
        HWND tip = scramblo::testing::findTooltip(dialog);
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
        char text[80] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_TRUE(tool.uFlags & TTF_IDISHWND);
        EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), link);
        EXPECT_STREQ(text, kTarget);
    });
}

TEST_F(AboutDialogTest, ADpiChangeRedrawsTheLinkItsHandAndTheIconAtTheNewSize) {
    withAbout([&](HWND dialog, HWND link) {
        // Rows of the link's picture with ink in them: the text and its underline.
        auto inkRows = [&] {
            Picture picture(link);
            int rows = 0;
            for (int y = 0; y < picture.height(); ++y) {
                bool ink = false;
                for (int x = 0; x < picture.width() && !ink; ++x) ink = picture.at(x, y) == kBlue;
                rows += ink;
            }
            return rows;
        };
        auto hand = [&] {
            mouse(link, WM_MOUSEMOVE, onText(link));
            return GetCursor();
        };
        HWND icon = GetWindow(GetWindow(GetDlgItem(dialog, IDOK), GW_HWNDNEXT), GW_HWNDNEXT);
        int rowsBefore = inkRows();
        RECT okBefore = placeInParent(GetDlgItem(dialog, IDOK));

        RECT suggested = sendDpiChange(dialog, 192);
        EXPECT_EQ(screenRect(dialog), suggested);
        RECT ok = placeInParent(GetDlgItem(dialog, IDOK));
        EXPECT_EQ(ok.right - ok.left, 2 * (okBefore.right - okBefore.left));
        // Glyphs at twice the size are not exactly twice as tall.
        EXPECT_NEAR(inkRows(), 2 * rowsBefore, 2);
        EXPECT_EQ(imageWidth(hand()), 64);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(hand(), &info));
        DeleteObject(info.hbmMask);
        EXPECT_EQ(info.xHotspot, 10u);
        EXPECT_EQ(info.yHotspot, 0u);
        auto shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
        EXPECT_EQ(imageWidth(shown), 64);
        EXPECT_TRUE(paintedIn(link, kBlue));
    });
}

}  // namespace
}  // namespace scramblo::ui
