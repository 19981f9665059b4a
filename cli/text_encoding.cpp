#include "text_encoding.h"

#include <clocale>
#include <cstdint>

#ifndef _WIN32
#include <langinfo.h>
#endif

namespace scramblo::cli {
namespace {

// The code points of the bytes 0x80 to 0x9F; 0 for the five undefined ones.
// Every other byte is its own code point.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The Windows-1252 byte of a code point, or -1 when it has none.
int windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) return 0x80 + i;
    }
    return -1;
}

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when
// the bytes there are not one (overlong forms and surrogates included).
size_t decodeUtf8(std::string_view text, size_t at, char32_t& codePoint) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    size_t length = lead < 0x80   ? 1
                    : lead < 0xC2 ? 0
                    : lead < 0xE0 ? 2
                    : lead < 0xF0 ? 3
                    : lead < 0xF5 ? 4
                                  : 0;
    if (length == 0 || at + length > text.size()) return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        codePoint = codePoint << 6 | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

// The length of a UTF-8 sequence at `at` of a character that Windows-1252 lacks, or 0.
size_t foreignLength(std::string_view text, size_t at) {
    char32_t codePoint;
    size_t length = decodeUtf8(text, at, codePoint);
    return length != 0 && windows1252Byte(codePoint) < 0 ? length : 0;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

unsigned char lowerCase(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<unsigned char>(byte + 0x20);
    switch (byte) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(byte + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return byte;
    }
}

}  // namespace

std::string utf8ToWindows1252(std::string_view utf8, ForeignCharacters foreign) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        char32_t codePoint;
        size_t length = decodeUtf8(utf8, at, codePoint);
        if (length == 0) {
            out += utf8[at++];
            continue;
        }
        int byte = windows1252Byte(codePoint);
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else if (foreign == ForeignCharacters::Keep) {
            out.append(utf8, at, length);
        }
        at += length;
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view text, bool passKeptForeign) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    appendWindows1252AsUtf8(out, text, passKeptForeign);
    return out;
}

void appendWindows1252AsUtf8(std::string& out, std::string_view text, bool passKeptForeign) {
    for (size_t at = 0; at < text.size();) {
        // A run of ASCII, nearly every anagram whole, is the same in UTF-8.
        size_t ascii = at;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
        out.append(text, at, ascii - at);
        at = ascii;
        if (at == text.size()) break;
        size_t kept = passKeptForeign ? foreignLength(text, at) : 0;
        if (kept != 0) {
            out.append(text, at, kept);
            at += kept;
            continue;
        }
        auto byte = static_cast<unsigned char>(text[at++]);
        char32_t codePoint = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
        if (codePoint == 0) {
            out += static_cast<char>(byte);  // undefined: passes as it is
        } else {
            appendUtf8(out, codePoint);
        }
    }
}

std::string withoutForeignCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        size_t kept = foreignLength(text, at);
        if (kept == 0) out += text[at];
        at += kept != 0 ? kept : 1;
    }
    return out;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerCase(static_cast<unsigned char>(a[i])) !=
            lowerCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool localeUsesUtf8() {
#ifdef _WIN32
    return false;
#else
    if (std::setlocale(LC_CTYPE, "") == nullptr) return false;
    std::string_view codeset = nl_langinfo(CODESET);
    return codeset == "UTF-8" || codeset == "utf8";
#endif
}

}  // namespace scramblo::cli
