// Reads lines from a byte stream by the rules of the Windows C runtime's text
// mode, on every platform alike: CR LF reads as LF, a lone CR stays in its
// line, the byte 26 (Ctrl-Z) ends the input, and lines end at LF.
#pragma once

#include <array>
#include <cstring>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace scramblo {

// Per byte: whether it may stand in a line that is wanted.
using BytesThatMayStand = std::array<bool, 256>;

class TextLineReader {
  public:
    static constexpr size_t kChunkSize = size_t{1} << 16;

    // Reads the stream `chunkSize` bytes at a time.
    explicit TextLineReader(std::istream& stream, size_t chunkSize = kChunkSize);

    // The next line, as std::getline with LF reads it: false when not one
    // byte could be taken. The line stays valid until the next call; most
    // lines are read where they stand in the reader's buffer, uncopied.
    bool nextLine(std::string_view& line) {
        // Inline, for the many lines that stand whole in the buffer.
        const char* start = buffer_.data() + position_;
        const void* newline = std::memchr(start, '\n', end_ - position_);
        if (newline == nullptr) return nextLineAcrossReads(line);
        return takeLine(start, static_cast<const char*>(newline), line);
    }

    // The next line, or a later one: a line that stands whole in the buffer
    // and holds a byte that `mayStand` refuses is passed over, looked at only
    // up to that byte and then for its end. The lines at the buffer's end come
    // as nextLine gives them, whatever they hold.
    bool nextLineThatMayStand(std::string_view& line, const BytesThatMayStand& mayStand);

  private:
    // The line from `start` up to the newline at `newline`, which is passed.
    bool takeLine(const char* start, const char* newline, std::string_view& line) {
        position_ = static_cast<size_t>(newline + 1 - buffer_.data());
        line = withoutCr(std::string_view(start, static_cast<size_t>(newline - start)));
        return true;
    }
    // CR LF reads as LF.
    static std::string_view withoutCr(std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    bool refill();
    bool nextLineAcrossReads(std::string_view& line);

    std::istream& stream_;
    std::vector<char> buffer_;
    size_t position_ = 0;
    size_t end_ = 0;
    bool ended_ = false;   // end of input, a read error, or Ctrl-Z seen
    std::string carried_;  // a line that runs across two reads
};

}  // namespace scramblo
