#include "format_string.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "app_module.h"
#include "settings/wide_text.h"

namespace scramblo::ui {

std::string loadString(UINT id) {
    const wchar_t* text = nullptr;
    // With no buffer LoadStringW answers a pointer into the resource itself.
    int length = LoadStringW(AppModule::instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    return toUtf8({text, static_cast<size_t>(length)});
}

std::string formatString(UINT id, ...) {
    std::string format = loadString(id);
    va_list args;
    va_start(args, id);
    va_list measure;
    va_copy(measure, args);
    int size = std::vsnprintf(nullptr, 0, format.c_str(), measure);
    va_end(measure);
    std::string text;
    if (size > 0) {
        std::vector<char> buffer(static_cast<size_t>(size) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format.c_str(), args);
        text.assign(buffer.data(), static_cast<size_t>(size));
    }
    va_end(args);
    return text;
}

}  // namespace scramblo::ui
