// Reads lines from a byte stream by the rules of the Windows C runtime's text
// mode, on every platform alike: CR LF reads as LF, a lone CR stays in its
// line, the byte 26 (Ctrl-Z) ends the input, and lines end at LF.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace scramblo {

class TextLineReader {
  public:
    explicit TextLineReader(std::istream& stream);

    // The next line, as std::getline with LF reads it: false when not one
    // byte could be taken. The line stays valid until the next call; most
    // lines are read where they stand in the reader's buffer, uncopied.
    bool nextLine(std::string_view& line);

  private:
    bool refill();

    std::istream& stream_;
    std::vector<char> buffer_;
    size_t position_ = 0;
    size_t end_ = 0;
    bool ended_ = false;   // end of input, a read error, or Ctrl-Z seen
    std::string carried_;  // a line that runs across two reads
};

}  // namespace scramblo
