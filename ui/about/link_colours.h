// The colours of a link, from the web browser's settings of the current user
// where it has them.
#pragma once

#include <windows.h>

#include <optional>

namespace scramblo::ui {

struct LinkColours {
    COLORREF link = RGB(0, 0, 255);
    COLORREF visited = RGB(128, 0, 128);
};

// A colour as the browser writes it, "red,green,blue" in decimal ("0,0,255"
// is blue); none when the text is malformed. Each component keeps only its
// low byte, so 300 reads as 44.
std::optional<COLORREF> parseColourText(const char* text);

// `colours`, with each colour replaced by the browser's own where its
// setting holds a valid one.
LinkColours readBrowserLinkColours(LinkColours colours);

}  // namespace scramblo::ui
