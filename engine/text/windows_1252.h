// Windows-1252, the code page of Western Windows and of many older word
// lists, to and from UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace scramblo {

// The code point of a byte. The five bytes that Windows-1252 leaves undefined
// are the C1 controls of their own number, as Windows reads them.
char32_t windows1252CodePoint(unsigned char byte);

// The byte of a code point, or -1 when Windows-1252 lacks it.
int windows1252Byte(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view text);
// The same, appended to `out`.
void appendWindows1252AsUtf8(std::string& out, std::string_view text);

// Characters that Windows-1252 lacks become `replacement`; bytes that are not
// UTF-8 are taken as Windows-1252 already.
std::string utf8ToWindows1252(std::string_view utf8, char replacement = '?');
// The same, appended to `out`.
void appendUtf8AsWindows1252(std::string& out, std::string_view utf8, char replacement = '?');

// Whether the UTF-8 text holds a character that Windows-1252 lacks.
bool holdsCharacterBeyondWindows1252(std::string_view utf8);

}  // namespace scramblo
