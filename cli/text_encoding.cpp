#include "text_encoding.h"

#include <clocale>

#include "text/utf8.h"
#include "text/windows_1252.h"

#ifndef _WIN32
#include <langinfo.h>
#endif

namespace scramblo::cli {

bool localeUsesUtf8() {
#ifdef _WIN32
    return false;
#else
    if (std::setlocale(LC_CTYPE, "") == nullptr) return false;
    std::string_view codeset = nl_langinfo(CODESET);
    return codeset == "UTF-8" || codeset == "utf8";
#endif
}

std::string TerminalText::toEngine(std::string_view argument) const {
    return utf8_ ? toValidUtf8(argument) : windows1252ToUtf8(argument);
}

void TerminalText::appendForTerminal(std::string& out, std::string_view text) const {
    if (utf8_) {
        out.append(text);
    } else {
        appendUtf8AsWindows1252(out, text);
    }
}

}  // namespace scramblo::cli
