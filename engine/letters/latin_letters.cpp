#include "letters/latin_letters.h"

#include "text/utf8.h"

namespace scramblo {
namespace {

// Of U+00C0 to U+00FF, the letters each counts as; "" for × and ÷.
constexpr std::string_view kLatin1Letters[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
};

struct Extra {
    char32_t capital;
    char32_t small;
    std::string_view letters;
};

// The letters of Windows-1252 beyond Latin-1: Š, Œ, Ž and Ÿ with their small
// letters, and ƒ, which has no capital.
constexpr Extra kExtras[] = {
    {0x160, 0x161, "s"}, {0x152, 0x153, "oe"}, {0x17D, 0x17E, "z"},
    {0x178, 0xFF, "y"},  {0x192, 0x192, "f"},
};

constexpr std::string_view kAscii = "abcdefghijklmnopqrstuvwxyz";

}  // namespace

std::string_view plainLetters(char32_t codePoint) {
    if (codePoint >= 'a' && codePoint <= 'z') return kAscii.substr(codePoint - 'a', 1);
    if (codePoint >= 'A' && codePoint <= 'Z') return kAscii.substr(codePoint - 'A', 1);
    if (codePoint >= 0xC0 && codePoint <= 0xFF) return kLatin1Letters[codePoint - 0xC0];
    for (const Extra& extra : kExtras) {
        if (codePoint == extra.capital || codePoint == extra.small) return extra.letters;
    }
    return {};
}

bool isCapitalLetter(char32_t codePoint) {
    return smallLetterOf(codePoint) != codePoint;
}

bool isSmallLetter(char32_t codePoint) {
    return !plainLetters(codePoint).empty() && !isCapitalLetter(codePoint);
}

char32_t smallLetterOf(char32_t codePoint) {
    if ((codePoint >= 'A' && codePoint <= 'Z') ||
        (codePoint >= 0xC0 && codePoint <= 0xDE && codePoint != 0xD7))
        return codePoint + 0x20;
    for (const Extra& extra : kExtras) {
        if (codePoint == extra.capital) return extra.small;
    }
    return codePoint;
}

std::string withSmallLetters(std::string_view utf8) {
    // Nearly every word of a list is ASCII: it is copied and lowered in place.
    std::string out(utf8);
    size_t ascii = asciiPrefixLength(utf8);
    for (size_t at = 0; at < ascii; ++at) {
        if (out[at] >= 'A' && out[at] <= 'Z') out[at] = static_cast<char>(out[at] + ('a' - 'A'));
    }
    if (ascii == utf8.size()) return out;
    out.resize(ascii);
    for (size_t at = ascii; at < utf8.size();) {
        char32_t codePoint;
        at += readCharacter(utf8, at, codePoint);
        appendUtf8(out, smallLetterOf(codePoint));
    }
    return out;
}

}  // namespace scramblo
