// The command line's own text: its arguments and the bytes it writes. The
// engine works on UTF-8. On Windows the arguments come as Unicode, made UTF-8
// once (see main.cpp); elsewhere they are the locale's bytes: UTF-8 in a UTF-8
// locale, else, and always with --raw, Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace scramblo::cli {

enum class OutputEncoding { Default, Utf8, Windows1252 };

class TerminalText {
  public:
    // Reads the locale (LC_CTYPE) outside Windows.
    explicit TerminalText(bool raw = false, OutputEncoding output = OutputEncoding::Default);

    // An argument as the engine's UTF-8.
    std::string toEngine(std::string_view argument) const;
    // The bytes for a file, a pipe or a terminal outside Windows (a Windows
    // console takes characters): `output` unless Default; else Windows-1252
    // with --raw or outside Windows in a locale that is not UTF-8; else UTF-8.
    OutputEncoding output() const { return output_; }

  private:
    bool utf8Arguments_;
    OutputEncoding output_;
};

}  // namespace scramblo::cli
