// The link control on statics of every kind, the real shell call, and the
// parse of the browser's colour text.
#include "about/link_control.h"

#include <gtest/gtest.h>

#include <optional>

#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui {
namespace {

constexpr int kWidth = 200;

class LinkControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppModule::init(GetModuleHandleA(nullptr), nullptr);
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND makeStatic(const char* text, DWORD style) {
        return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 0, 0, kWidth, 40,
                               parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    }

    HWND parent_ = nullptr;
};

TEST_F(LinkControlTest, TextSitsWhereTheStaticAlignsIt) {
    const DWORD styles[] = {SS_LEFT, SS_CENTER, SS_RIGHT};
    for (DWORD style : styles) {
        SCOPED_TRACE(style);
        LinkControl link;
        ASSERT_TRUE(link.attach(makeStatic("Scramblo", style)));
        RECT rect = link.linkRect();
        int width = rect.right - rect.left;
        EXPECT_GT(width, 20);
        EXPECT_LT(width, kWidth / 2);
        EXPECT_EQ(rect.top, 0);
        int left[] = {0, (kWidth - width) / 2, kWidth - width};
        EXPECT_EQ(rect.left, left[style]);
    }
}

TEST_F(LinkControlTest, PictureAndFrameStaticsReactAllOver) {
    const DWORD styles[] = {SS_ICON, SS_ICON | SS_REALSIZECONTROL, SS_BLACKRECT, SS_ETCHEDFRAME,
                            SS_LEFT};
    for (DWORD style : styles) {
        SCOPED_TRACE(style);
        HWND window = makeStatic("#128", style);
        LONG_PTR before = GetWindowLongPtrA(window, GWL_STYLE);
        LinkControl link;
        ASSERT_TRUE(link.attach(window));
        EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE), before | SS_NOTIFY);
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(EqualRect(&link.linkRect(), &client), style != SS_LEFT);
    }
}

TEST_F(LinkControlTest, TargetStandsInForAMissingLabel) {
    LinkControl link;
    EXPECT_FALSE(link.attach(nullptr));
    ASSERT_TRUE(link.attach(makeStatic("", SS_LEFT)));
    EXPECT_FALSE(link.calcLinkRect()) << "neither label nor target";
    EXPECT_TRUE(IsRectEmpty(&link.linkRect()));

    link.setTarget("www.brevinck.example");
    EXPECT_GT(link.linkRect().right, 50) << "measured on the target";
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    SendMessageA(testing::findTooltip(parent_), TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "www.brevinck.example") << "the tooltip follows the target";
    link.setLabel("x");
    EXPECT_LT(link.linkRect().right, 20) << "measured on the label";
}

TEST_F(LinkControlTest, TheShellOpensOnlyWhatExists) {
    LinkControl link;
    ASSERT_TRUE(link.attach(makeStatic("C:\\no\\such\\file.txt", SS_LEFT)));
    EXPECT_FALSE(link.navigate());
    EXPECT_EQ(testing::Picture(link.window()).count(RGB(128, 0, 128)), 0);

    link.setTarget("C:\\windows\\system32\\hostname.exe");
    EXPECT_TRUE(link.navigate());
    UpdateWindow(link.window());
    EXPECT_GT(testing::Picture(link.window()).count(RGB(128, 0, 128)), 50);
}

TEST(ParseColourText, ReadsRedGreenBlueAsTheBrowserWritesThem) {
    const std::pair<const char*, std::optional<COLORREF>> cases[] = {
        {"255,0,0", RGB(255, 0, 0)},
        {"0,0,255", RGB(0, 0, 255)},
        {"12,34,56,78", RGB(12, 34, 56)},  // a further comma ends the blue digits
        {"1,2,x", RGB(1, 2, 0)},           // no digits read as 0
        {"a,b,c", RGB(0, 0, 0)},
        {" 7, +8,9 ", RGB(7, 8, 9)},
        {"300,0,0", RGB(44, 0, 0)},  // only the low byte counts
        {"0,0,-1", RGB(0, 0, 255)},  // only red and green refuse -1
        {"-2,0,0", RGB(254, 0, 0)},
        {",,5", RGB(0, 0, 5)},
        {"0,0", std::nullopt},   // no second comma
        {"0,0,", std::nullopt},  // nothing after it
        {"-1,0,0", std::nullopt},
        {"0,-1,0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, colour] : cases) {
        EXPECT_EQ(parseColourText(text), colour) << text;
    }
}

}  // namespace
}  // namespace scramblo::ui
