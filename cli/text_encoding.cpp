#include "text_encoding.h"

#include "text/utf8.h"
#include "text/windows_1252.h"

#ifndef _WIN32
#include <langinfo.h>

#include <clocale>
#endif

namespace scramblo::cli {

#ifndef _WIN32
namespace {

bool localeUsesUtf8() {
    if (std::setlocale(LC_CTYPE, "") == nullptr) return false;
    std::string_view codeset = nl_langinfo(CODESET);
    return codeset == "UTF-8" || codeset == "utf8";
}

}  // namespace
#endif

TerminalText::TerminalText(bool raw, OutputEncoding output) {
#ifdef _WIN32
    // The arguments come as Unicode, whatever --raw says.
    utf8Arguments_ = true;
    bool utf8Bytes = !raw;
#else
    utf8Arguments_ = !raw && localeUsesUtf8();
    bool utf8Bytes = utf8Arguments_;
#endif
    output_ = output != OutputEncoding::Default ? output
              : utf8Bytes                       ? OutputEncoding::Utf8
                                                : OutputEncoding::Windows1252;
}

std::string TerminalText::toEngine(std::string_view argument) const {
    return utf8Arguments_ ? toValidUtf8(argument) : windows1252ToUtf8(argument);
}
}  // namespace scramblo::cli
