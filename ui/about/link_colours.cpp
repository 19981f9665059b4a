#include "link_colours.h"

#include <cstdlib>

#include "toolkit/win32_handles.h"

namespace scramblo::ui {
namespace {

constexpr char kSettingsKey[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// The decimal number at the start of `text`: blanks skipped, an optional
// sign, digits up to the first non-digit; 0 without digits.
long leadingNumber(const char* text) {
    return std::strtol(text, nullptr, 10);
}

std::optional<COLORREF> readColour(HKEY key, const char* name) {
    // Eleven characters and the terminating zero: a longer value is no colour.
    char text[12];
    DWORD type = 0;
    DWORD size = sizeof text;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // The registry does not promise the stored zero; a full buffer needs it.
    if (size < sizeof text) {
        text[size] = '\0';
    } else if (text[sizeof text - 1] != '\0') {
        return std::nullopt;
    }
    return parseColourText(text);
}

}  // namespace

std::optional<COLORREF> parseColourText(const char* text) {
    // -1 marks a missing component, so a written -1 is refused as well.
    long red = -1;
    long green = -1;
    const char* start = text;
    for (long* component : {&red, &green}) {
        const char* comma = start;
        while (*comma != '\0' && *comma != ',') comma = CharNextA(comma);
        if (*comma != ',') return std::nullopt;
        *component = leadingNumber(start);  // the comma ends the digits
        if (*component == -1) return std::nullopt;
        start = comma + 1;
    }
    if (*start == '\0') return std::nullopt;
    long blue = leadingNumber(start);  // a further comma just ends the digits
    return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

LinkColours readBrowserLinkColours(LinkColours colours) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return colours;
    }
    UniqueKey key(opened);
    if (auto link = readColour(opened, "Anchor Color")) colours.link = *link;
    if (auto visited = readColour(opened, "Anchor Color Visited")) colours.visited = *visited;
    return colours;
}

}  // namespace scramblo::ui
