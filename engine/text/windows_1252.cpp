#include "text/windows_1252.h"

#include "text/utf8.h"

namespace scramblo {
namespace {

// The code points of the bytes 0x80 to 0x9F; 0 for the five undefined ones.
// Every other byte is its own code point.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

char32_t windows1252CodePoint(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    char16_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : byte;
}

int windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint || (kHighControls[i] == 0 && codePoint == 0x80u + i))
            return 0x80 + i;
    }
    return -1;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    appendWindows1252AsUtf8(out, text);
    return out;
}

void appendWindows1252AsUtf8(std::string& out, std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        // A run of ASCII, most text whole, is the same in UTF-8.
        size_t ascii = at + asciiPrefixLength(text.substr(at));
        out.append(text, at, ascii - at);
        if (ascii == text.size()) break;
        appendUtf8(out, windows1252CodePoint(static_cast<unsigned char>(text[ascii])));
        at = ascii + 1;
    }
}

std::string utf8ToWindows1252(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    appendUtf8AsWindows1252(out, utf8, replacement);
    return out;
}

void appendUtf8AsWindows1252(std::string& out, std::string_view utf8, char replacement) {
    for (size_t at = 0; at < utf8.size();) {
        size_t ascii = at + asciiPrefixLength(utf8.substr(at));
        out.append(utf8, at, ascii - at);
        at = ascii;
        if (at == utf8.size()) break;
        char32_t codePoint;
        size_t length = decodeUtf8(utf8, at, codePoint);
        if (length == 0) {
            out += utf8[at++];
            continue;
        }
        int byte = windows1252Byte(codePoint);
        out += byte >= 0 ? static_cast<char>(byte) : replacement;
        at += length;
    }
}

bool holdsCharacterBeyondWindows1252(std::string_view utf8) {
    for (size_t at = asciiPrefixLength(utf8); at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t codePoint;
        size_t length = readCharacter(utf8, at, codePoint);
        if (windows1252Byte(codePoint) < 0) return true;
        at += length;
    }
    return false;
}

}  // namespace scramblo
