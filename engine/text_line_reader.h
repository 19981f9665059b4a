// Reads lines from a byte stream by the rules of the Windows C runtime's text
// mode, on every platform alike: CR LF reads as LF, a lone CR stays in its
// line, the byte 26 (Ctrl-Z) ends the input, and lines end at LF.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace scramblo {

class TextLineReader {
  public:
    explicit TextLineReader(std::istream& stream);

    // Like std::getline with LF: false when not one byte could be taken.
    bool getline(std::string& line);

  private:
    bool refill();

    std::istream& stream_;
    std::vector<char> buffer_;
    size_t position_ = 0;
    size_t end_ = 0;
    bool ended_ = false;  // end of input, a read error, or Ctrl-Z seen
};

}  // namespace scramblo
