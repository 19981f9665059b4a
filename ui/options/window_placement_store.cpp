#include "window_placement_store.h"

#include <algorithm>

#include "settings/registry_key.h"
#include "settings/settings_store.h"

namespace scramblo::ui {

std::optional<WindowPlacement> readWindowPlacement() {
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, kSettingsKey)) return std::nullopt;
    auto left = key.queryDword(kWindowLeftValue);
    auto top = key.queryDword(kWindowTopValue);
    auto width = key.queryDword(kWindowWidthValue);
    auto height = key.queryDword(kWindowHeightValue);
    auto dpi = key.queryDword(kWindowDpiValue);
    auto maximised = key.queryDword(kWindowMaximisedValue);
    if (!left || !top || !width || !height || !dpi || !maximised) return std::nullopt;
    auto x = static_cast<int32_t>(*left);
    auto y = static_cast<int32_t>(*top);
    auto cx = static_cast<int32_t>(*width);
    auto cy = static_cast<int32_t>(*height);
    if (cx <= 0 || cy <= 0 || *dpi == 0 || *dpi > INT32_MAX) return std::nullopt;
    // A rectangle whose right or bottom edge would overflow is no place either.
    if (x > INT32_MAX - cx || y > INT32_MAX - cy) return std::nullopt;
    auto wordsWidth = static_cast<int32_t>(key.queryDword(kWordsWidthValue).value_or(0));
    return WindowPlacement{{x, y, x + cx, y + cy}, *dpi, *maximised != 0, std::max(wordsWidth, 0)};
}

void writeWindowPlacement(const WindowPlacement& placement) {
    RegistryKey key;
    if (!key.createForWriting(HKEY_CURRENT_USER, kSettingsKey)) return;
    const RECT& normal = placement.normal;
    key.setDword(kWindowLeftValue, static_cast<uint32_t>(normal.left));
    key.setDword(kWindowTopValue, static_cast<uint32_t>(normal.top));
    key.setDword(kWindowWidthValue, static_cast<uint32_t>(normal.right - normal.left));
    key.setDword(kWindowHeightValue, static_cast<uint32_t>(normal.bottom - normal.top));
    key.setDword(kWindowDpiValue, placement.dpi);
    key.setDword(kWindowMaximisedValue, placement.maximised ? 1 : 0);
    key.setDword(kWordsWidthValue, static_cast<uint32_t>(placement.wordsWidth));
}

}  // namespace scramblo::ui
