#include "settings/wide_text.h"

#include <windows.h>

namespace scramblo {

std::wstring toUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    auto size = static_cast<int>(utf8.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    auto size = static_cast<int>(utf16.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace scramblo
