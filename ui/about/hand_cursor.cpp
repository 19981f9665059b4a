#include "hand_cursor.h"

#include <array>
#include <cstring>

namespace scramblo::ui {
namespace {

constexpr int kSize = 32;
constexpr int kPlaneBytes = kSize * kSize / 8;

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

}  // namespace

UniqueCursor createHandCursor(HINSTANCE instance) {
    // Per pixel: AND 1 keeps the screen, AND 0 with XOR 0 is black, with XOR 1 white.
    std::array<BYTE, kPlaneBytes> andPlane;
    std::array<BYTE, kPlaneBytes> xorPlane;
    andPlane.fill(0xFF);
    xorPlane.fill(0x00);
    for (int y = 0; y < static_cast<int>(std::size(kHand)); ++y) {
        for (int x = 0; x < static_cast<int>(std::strlen(kHand[y])); ++x) {
            char pixel = kHand[y][x];
            int byte = y * kSize / 8 + x / 8;
            BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (pixel != ' ') andPlane[byte] &= static_cast<BYTE>(~bit);
            if (pixel == '.') xorPlane[byte] |= bit;
        }
    }
    return UniqueCursor(CreateCursor(instance, kHandHotSpot.x, kHandHotSpot.y, kSize, kSize,
                                     andPlane.data(), xorPlane.data()));
}

}  // namespace scramblo::ui
