#include "link_colours.h"

#include <cstdlib>
#include <cstring>

#include "settings/registry_key.h"

namespace scramblo::ui {
namespace {

constexpr char kSettingsKey[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// The decimal number at the start of `text`: blanks skipped, an optional
// sign, digits up to the first non-digit; 0 without digits.
long leadingNumber(const char* text) {
    return std::strtol(text, nullptr, 10);
}

// Eleven characters at most: a longer value is no colour.
std::optional<COLORREF> readColour(const RegistryKey& key, const char* name) {
    std::optional<std::string> text = key.queryString(name, 11);
    return text ? parseColourText(text->c_str()) : std::nullopt;
}

}  // namespace

std::optional<COLORREF> parseColourText(const char* text) {
    // -1 marks a missing component, so a written -1 is refused as well.
    long red = -1;
    long green = -1;
    const char* start = text;
    for (long* component : {&red, &green}) {
        // Byte by byte: in UTF-8 no byte of another character is a comma.
        const char* comma = std::strchr(start, ',');
        if (comma == nullptr) return std::nullopt;
        *component = leadingNumber(start);  // the comma ends the digits
        if (*component == -1) return std::nullopt;
        start = comma + 1;
    }
    if (*start == '\0') return std::nullopt;
    long blue = leadingNumber(start);  // a further comma just ends the digits
    return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

LinkColours readBrowserLinkColours(LinkColours colours) {
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, kSettingsKey)) return colours;
    if (auto link = readColour(key, "Anchor Color")) colours.link = *link;
    if (auto visited = readColour(key, "Anchor Color Visited")) colours.visited = *visited;
    return colours;
}

}  // namespace scramblo::ui
