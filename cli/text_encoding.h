// Conversions between Windows-1252, the engine's single-byte text, and UTF-8,
// the text of Linux terminals and of many word lists.
#pragma once

#include <string>
#include <string_view>

namespace scramblo::cli {

// What becomes of a character that Windows-1252 lacks when UTF-8 is converted.
enum class ForeignCharacters {
    Keep,  // its UTF-8 bytes stay in the text
    Drop,
};

// Bytes that are not valid UTF-8 are kept as they are.
std::string utf8ToWindows1252(std::string_view utf8, ForeignCharacters foreign);

// The five bytes that Windows-1252 leaves undefined pass unchanged. With
// `passKeptForeign`, UTF-8 sequences that utf8ToWindows1252 kept are copied
// back as they are; only for text that came from UTF-8, since a Windows-1252
// text can hold the same bytes by chance.
std::string windows1252ToUtf8(std::string_view text, bool passKeptForeign);
// The same, appended to `out`.
void appendWindows1252AsUtf8(std::string& out, std::string_view text, bool passKeptForeign);

// Removes from converted text the UTF-8 sequences that utf8ToWindows1252 kept.
std::string withoutForeignCharacters(std::string_view text);

// Equality of two Windows-1252 texts regardless of the case of their letters.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Whether the user's locale (LC_CTYPE) uses UTF-8; never on Windows, where
// the console's ANSI code page is used as it is.
bool localeUsesUtf8();

}  // namespace scramblo::cli
