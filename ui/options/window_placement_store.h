// Where the main window was when it last closed, kept for the user in the
// registry key of the settings, beside them: its normal rectangle (as it is
// when neither maximised nor minimised, in screen pixels), the DPI that
// rectangle was measured at, whether it was maximised, and the width of its
// list of the words that fit (in pixels at that DPI). Written when the
// window closes, read when it opens. Nothing here reports failure: a missing
// or malformed value means no stored placement, a failed write is ignored.
#pragma once

#include <windows.h>

#include <optional>

namespace scramblo::ui {

// REG_DWORD values; left and top may be negative, as two's complement.
constexpr char kWindowLeftValue[] = "VensterLinks";
constexpr char kWindowTopValue[] = "VensterBoven";
constexpr char kWindowWidthValue[] = "VensterBreedte";
constexpr char kWindowHeightValue[] = "VensterHoogte";
constexpr char kWindowDpiValue[] = "VensterDpi";
constexpr char kWindowMaximisedValue[] = "VensterGemaximaliseerd";
constexpr char kWordsWidthValue[] = "WoordenBreedte";

struct WindowPlacement {
    RECT normal{};
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    bool maximised = false;
    int wordsWidth = 0;  // 0: as the template has it
};

// None unless the first six values are REG_DWORDs, with a width, a height
// and a DPI above 0. A words width that is missing, malformed or not above 0
// reads as 0.
std::optional<WindowPlacement> readWindowPlacement();

// Writes the seven values, creating the key when it is absent.
void writeWindowPlacement(const WindowPlacement& placement);

}  // namespace scramblo::ui
