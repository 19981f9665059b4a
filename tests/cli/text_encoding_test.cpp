#include "text_encoding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace scramblo::cli {
namespace {

using Foreign = ForeignCharacters;

TEST(TextEncoding, Windows1252ToUtf8) {
    EXPECT_EQ(windows1252ToUtf8("plain ASCII ~\x7F", false), "plain ASCII ~\x7F");
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x8C\x99\x9F", false),
              "\xE2\x82\xAC\xC5\xA0\xC5\x92\xE2\x84\xA2\xC5\xB8");  // € Š Œ ™ Ÿ
    EXPECT_EQ(windows1252ToUtf8("\xA0\xC7\xE9\xFF", false), "\xC2\xA0\xC3\x87\xC3\xA9\xC3\xBF");
    // The five undefined bytes pass as they are.
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D", false), "\x81\x8D\x8F\x90\x9D");
}

TEST(TextEncoding, EveryByteComesBackFromUtf8) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string text(1, static_cast<char>(byte));
        std::string utf8 = windows1252ToUtf8(text, false);
        EXPECT_EQ(utf8ToWindows1252(utf8, Foreign::Keep), text) << byte;
        EXPECT_EQ(utf8ToWindows1252(utf8, Foreign::Drop), text) << byte;
    }
}

TEST(TextEncoding, KeepsBytesThatAreNotUtf8) {
    for (std::string bytes : {"\xC3", "\xC3(", "\xE9t\xE9", "\xC0\xAF", "\xE0\x80\xAF",
                              "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xBF"}) {
        EXPECT_EQ(utf8ToWindows1252(bytes, Foreign::Drop), bytes);
    }
    EXPECT_EQ(utf8ToWindows1252("\xC3\xA9\xC3", Foreign::Drop), "\xE9\xC3");
}

TEST(TextEncoding, ForeignCharactersAreKeptOrDropped) {
    // ₂ (U+2082), an emoji and U+0081, which Windows-1252 does not define.
    const std::string foreign = "H\xE2\x82\x82O \xF0\x9F\x98\x80 \xC2\x81!";
    EXPECT_EQ(utf8ToWindows1252(foreign, Foreign::Keep), foreign);
    EXPECT_EQ(utf8ToWindows1252(foreign, Foreign::Drop), "HO  !");
    EXPECT_EQ(utf8ToWindows1252("\xC5\x93uvre \xE2\x82\x82", Foreign::Keep),
              "\x9Cuvre \xE2\x82\x82");

    // Back to UTF-8 the kept sequences pass only when asked to.
    const std::string kept = "caf\xE9 H\xE2\x82\x82O";
    EXPECT_EQ(windows1252ToUtf8(kept, true), "caf\xC3\xA9 H\xE2\x82\x82O");
    EXPECT_EQ(windows1252ToUtf8(kept, false),
              "caf\xC3\xA9 H\xC3\xA2\xE2\x80\x9A\xE2\x80\x9AO");  // H â ‚ ‚ O
    EXPECT_EQ(withoutForeignCharacters(kept + " \xF0\x9F\x98\x80!"), "caf\xE9 HO !");
}

TEST(TextEncoding, EqualIgnoringCase) {
    EXPECT_TRUE(equalIgnoringCase("Listen", "lISTEN"));
    EXPECT_TRUE(equalIgnoringCase("CAF\xC9", "caf\xE9"));
    EXPECT_TRUE(equalIgnoringCase("\x8A\x8C\x8E\x9F\xC0\xDE", "\x9A\x9C\x9E\xFF\xE0\xFE"));
    EXPECT_FALSE(equalIgnoringCase("\xD7", "\xF7"));  // × and ÷ are no letters
    EXPECT_FALSE(equalIgnoringCase("listen", "listens"));
    EXPECT_FALSE(equalIgnoringCase("listen", "silent"));
    EXPECT_FALSE(equalIgnoringCase("[", "{"));
}

#ifndef _WIN32
TEST(TextEncoding, LocaleDecidesUtf8) {
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_TRUE(localeUsesUtf8());
    setenv("LC_ALL", "C", 1);
    EXPECT_FALSE(localeUsesUtf8());
    unsetenv("LC_ALL");
    std::setlocale(LC_CTYPE, "C");
}
#endif

}  // namespace
}  // namespace scramblo::cli
