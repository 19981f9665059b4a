// The command line's own text: its arguments and its output. The engine works
// on UTF-8; a terminal whose locale is not UTF-8, and --raw, speak
// Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace scramblo::cli {

// Whether the user's locale (LC_CTYPE) uses UTF-8; never on Windows, where
// the console's ANSI text is used as it is.
bool localeUsesUtf8();

class TerminalText {
  public:
    explicit TerminalText(bool utf8) : utf8_(utf8) {}

    bool utf8() const { return utf8_; }

    // An argument as the engine's UTF-8.
    std::string toEngine(std::string_view argument) const;
    // Appends the engine's text as the terminal writes it.
    void appendForTerminal(std::string& out, std::string_view text) const;

  private:
    bool utf8_;
};

}  // namespace scramblo::cli
