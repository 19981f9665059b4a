#include "lexicon/text_line_reader.h"

#include <cstring>

namespace scramblo {
namespace {

constexpr char kEndOfInput = 26;

}  // namespace

TextLineReader::TextLineReader(std::istream& stream, size_t chunkSize)
    : stream_(stream), buffer_(chunkSize) {}

bool TextLineReader::refill() {
    if (ended_ || !stream_) return false;
    stream_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    position_ = 0;
    end_ = static_cast<size_t>(stream_.gcount());
    // The input ends at a Ctrl-Z: what follows it is never read.
    if (const void* stop = std::memchr(buffer_.data(), kEndOfInput, end_)) {
        end_ = static_cast<size_t>(static_cast<const char*>(stop) - buffer_.data());
        ended_ = true;
    }
    if (end_ == 0) ended_ = true;
    return end_ != 0;
}

bool TextLineReader::nextLineThatMayStand(std::string_view& line,
                                          const BytesThatMayStand& mayStand) {
    const char* const end = buffer_.data() + end_;
    const char* next = buffer_.data() + position_;
    while (next != end) {
        const char* start = next;
        while (next != end && *next != '\n' && mayStand[static_cast<unsigned char>(*next)]) ++next;
        if (next != end && *next == '\n') return takeLine(start, next, line);
        const void* newline = std::memchr(next, '\n', static_cast<size_t>(end - next));
        if (newline == nullptr) {
            next = start;  // a line that may go on in the next read
            break;
        }
        next = static_cast<const char*>(newline) + 1;
    }
    position_ = static_cast<size_t>(next - buffer_.data());
    return nextLine(line);
}

// A line that reaches the end of the buffer: its start is carried over
// while the buffer is filled again.
bool TextLineReader::nextLineAcrossReads(std::string_view& line) {
    carried_.clear();
    bool tookAny = false;
    for (;;) {
        if (position_ == end_ && !refill()) {
            line = carried_;
            return tookAny;
        }
        const char* start = buffer_.data() + position_;
        size_t available = end_ - position_;
        const char* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        if (newline == nullptr) {
            carried_.append(start, available);
            tookAny = true;
            position_ = end_;
            continue;
        }
        if (!tookAny) return takeLine(start, newline, line);
        carried_.append(start, static_cast<size_t>(newline - start));
        position_ += static_cast<size_t>(newline - start) + 1;
        line = withoutCr(carried_);
        return true;
    }
}

}  // namespace scramblo
