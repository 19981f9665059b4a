#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace scramblo {

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
    char32_t decoded = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        decoded = decoded << 6 | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (decoded < kSmallest[length] || decoded > 0x10FFFF ||
        (decoded >= 0xD800 && decoded <= 0xDFFF))
        return 0;
    codePoint = decoded;
    return length;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

size_t asciiPrefixLength(std::string_view text) {
    // Eight bytes at a time while they last.
    size_t at = 0;
    for (uint64_t eight; at + 8 <= text.size(); at += 8) {
        std::memcpy(&eight, text.data() + at, 8);
        if (eight & 0x8080808080808080u) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at;
}

bool isValidUtf8(std::string_view text) {
    char32_t codePoint;
    for (size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        size_t length = decodeUtf8(text, at, codePoint);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string toValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char32_t codePoint;
    for (size_t at = 0; at < text.size();) {
        size_t length = readCharacter(text, at, codePoint);
        appendUtf8(out, codePoint);
        at += length;
    }
    return out;
}

}  // namespace scramblo
