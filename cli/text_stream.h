// Standard output or standard error, written as the engine's UTF-8 text. A
// Windows console takes the text as characters (WriteConsoleW), so that every
// one shows whatever the console's code page; a file, a pipe, and a terminal
// elsewhere, take bytes in the chosen encoding.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "text_encoding.h"

namespace scramblo::cli {

class TextStream {
  public:
    // `encoding` is Utf8 or Windows1252 (see TerminalText::output).
    TextStream(std::FILE* file, OutputEncoding encoding);

    // Whether a person reads it: a terminal, or a Windows console.
    bool isTerminal() const { return terminal_; }

    // Write all of the text; false, with errno set, when they cannot.
    bool write(std::string_view text);
    bool flush();

  private:
    std::FILE* file_;
    OutputEncoding encoding_;
    bool terminal_;
    void* console_ = nullptr;  // the console's handle, when it is one
};

// Writes "scramblo-cli: ", the message and a line end.
void printMessage(TextStream& stream, std::string_view message);

}  // namespace scramblo::cli
