#include <gtest/gtest.h>

#include <string>

#include "letters/latin_letters.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace scramblo {
namespace {

TEST(TextEncoding, Windows1252ToUtf8) {
    EXPECT_EQ(windows1252ToUtf8("plain ASCII ~\x7F"), "plain ASCII ~\x7F");
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x8C\x99\x9F"),
              "\xE2\x82\xAC\xC5\xA0\xC5\x92\xE2\x84\xA2\xC5\xB8");  // € Š Œ ™ Ÿ
    EXPECT_EQ(windows1252ToUtf8("\xA0\xC7\xE9\xFF"), "\xC2\xA0\xC3\x87\xC3\xA9\xC3\xBF");
    // The five undefined bytes are the C1 controls of their number, as Windows reads them.
    EXPECT_EQ(windows1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
}

TEST(TextEncoding, EveryByteComesBackFromUtf8) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string text(1, static_cast<char>(byte));
        std::string utf8 = windows1252ToUtf8(text);
        EXPECT_TRUE(isValidUtf8(utf8)) << byte;
        EXPECT_EQ(utf8ToWindows1252(utf8), text) << byte;
        EXPECT_EQ(toValidUtf8(text), utf8) << byte;
    }
}

TEST(TextEncoding, BytesThatAreNoUtf8AreWindows1252) {
    for (std::string bytes : {"\xC3", "\xC3(", "\xE9t\xE9", "\xC0\xAF", "\xE0\x80\xAF",
                              "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xBF"}) {
        EXPECT_FALSE(isValidUtf8(bytes)) << bytes;
        EXPECT_EQ(utf8ToWindows1252(bytes), bytes);
        EXPECT_EQ(toValidUtf8(bytes), windows1252ToUtf8(bytes));
    }
    EXPECT_EQ(toValidUtf8("caf\xC3\xA9 \xE9"), "caf\xC3\xA9 \xC3\xA9");
}

TEST(TextEncoding, CharactersBeyondWindows1252) {
    // ₂ (U+2082), an emoji and ł, which Windows-1252 lacks.
    EXPECT_EQ(utf8ToWindows1252("H\xE2\x82\x82O \xF0\x9F\x98\x80 \xC5\x82!"), "H?O ? ?!");
    EXPECT_EQ(utf8ToWindows1252("\xC5\x93uvre \xE2\x82\x82", '_'), "\x9Cuvre _");
    EXPECT_TRUE(holdsCharacterBeyondWindows1252("H\xE2\x82\x82O"));
    EXPECT_TRUE(holdsCharacterBeyondWindows1252("\xC5\x81\xC3\xB3\x64\xC5\xBA"));  // Łódź
    EXPECT_FALSE(holdsCharacterBeyondWindows1252("cr\xC3\xA8me \xC5\x93uvre \xE9"));
}

TEST(LatinLetters, CapitalsAndSmallLetters) {
    EXPECT_EQ(withSmallLetters("Listen \xC3\x89T\xC3\x89 \xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"),
              "listen \xC3\xA9t\xC3\xA9 \xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF");  // été šœžÿ
    EXPECT_EQ(withSmallLetters("\xC3\x97\xC3\x9F\xC5\x81"), "\xC3\x97\xC3\x9F\xC5\x81");  // ×ßŁ
    EXPECT_TRUE(isCapitalLetter(U'\u00DE'));
    EXPECT_FALSE(isCapitalLetter(U'\u00D7'));
    EXPECT_TRUE(isSmallLetter(U'\u00DF'));
    EXPECT_TRUE(isSmallLetter(U'\u0192'));
    EXPECT_FALSE(isSmallLetter(U'\u00F7'));
    EXPECT_FALSE(isSmallLetter(U'-'));
}

}  // namespace
}  // namespace scramblo
