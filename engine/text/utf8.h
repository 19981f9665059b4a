// UTF-8, the engine's text: every word, phrase, anagram and path that the
// engine holds is UTF-8, whatever the encoding it came in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/windows_1252.h"

namespace scramblo {

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when
// the bytes there are not one (overlong forms and surrogates included).
size_t decodeUtf8(std::string_view text, size_t at, char32_t& codePoint);

void appendUtf8(std::string& out, char32_t codePoint);

// The length of the run of ASCII bytes that the text starts with.
size_t asciiPrefixLength(std::string_view text);

// Whether the text is valid UTF-8 throughout.
bool isValidUtf8(std::string_view text);

// The text as valid UTF-8: valid sequences stay, and every other byte is
// taken as the Windows-1252 character it is (text typed in a single-byte
// code page, or a list that mixes both).
std::string toValidUtf8(std::string_view text);

// The character at `at`, which must be within the text, and its length in
// bytes: a byte that is no UTF-8 is taken as the Windows-1252 character it is.
inline size_t readCharacter(std::string_view text, size_t at, char32_t& codePoint) {
    auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length = decodeUtf8(text, at, codePoint);
    if (length != 0) return length;
    codePoint = windows1252CodePoint(lead);
    return 1;
}

}  // namespace scramblo
