#include "hand_cursor.h"

#include <cstring>
#include <vector>

#include "toolkit/dpi.h"

namespace scramblo::ui {
namespace {

constexpr int kSize = 32;  // at 96 DPI

// 'X' black outline, '.' white inside, ' ' transparent; the rest of the
// 32 x 32 square is transparent too.
// clang-format off
constexpr const char* kHand[] = {
    "     XX          ",
    "    X..X         ",
    "    X..X         ",
    "    X..X         ",
    "    X..X         ",
    "    X..XXX       ",
    "    X..X..XXX    ",
    "    X..X..X..XX  ",
    "    X..X..X..X.X ",
    "XXX X..X..X..X..X",
    "X..XX........X..X",
    "X...X...........X",
    " X..X...........X",
    "  X.............X",
    "  X............X ",
    "   X...........X ",
    "   X..........X  ",
    "    X.........X  ",
    "    X........X   ",
    "     X.......X   ",
    "     X.......X   ",
    "     XXXXXXXXX   ",
};
// clang-format on

// The drawing's pixel under a pixel of the cursor at `dpi`; transparent outside it.
char handPixel(int x, int y, UINT dpi) {
    // Rounded down, so that each pixel of the drawing becomes a square of them.
    int sourceX = x * static_cast<int>(kDefaultDpi) / static_cast<int>(dpi);
    int sourceY = y * static_cast<int>(kDefaultDpi) / static_cast<int>(dpi);
    if (sourceY >= static_cast<int>(std::size(kHand)) ||
        sourceX >= static_cast<int>(std::strlen(kHand[sourceY]))) {
        return ' ';
    }
    return kHand[sourceY][sourceX];
}

}  // namespace

UniqueCursor createHandCursor(HINSTANCE instance, UINT dpi) {
    int size = scaleToDpi(kSize, dpi);
    // Monochrome rows are padded to whole 16-bit words.
    int rowBytes = (size + 15) / 16 * 2;
    // Per pixel: AND 1 keeps the screen, AND 0 with XOR 0 is black, with XOR 1 white.
    std::vector<BYTE> andPlane(static_cast<size_t>(rowBytes * size), 0xFF);
    std::vector<BYTE> xorPlane(andPlane.size(), 0x00);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            char pixel = handPixel(x, y, dpi);
            auto byte = static_cast<size_t>(y * rowBytes + x / 8);
            auto bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (pixel != ' ') andPlane[byte] &= static_cast<BYTE>(~bit);
            if (pixel == '.') xorPlane[byte] |= bit;
        }
    }
    return UniqueCursor(CreateCursor(instance, scaleToDpi(kHandHotSpot.x, dpi),
                                     scaleToDpi(kHandHotSpot.y, dpi), size, size, andPlane.data(),
                                     xorPlane.data()));
}

}  // namespace scramblo::ui
