#include "line_output.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace scramblo::cli {

bool isTerminal(std::FILE* file) {
#ifdef _WIN32
    return _isatty(_fileno(file)) != 0;
#else
    return isatty(fileno(file)) != 0;
#endif
}

void LineOutput::writeLine(std::string_view text) {
    if (state_ != State::Open) return;
    check(std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
          std::fputc('\n', file_) != EOF);
}

void LineOutput::flush() {
    lastFlush_ = std::chrono::steady_clock::now();
    if (state_ == State::Open) check(std::fflush(file_) == 0);
}

void LineOutput::flushIfDue() {
    if (std::chrono::steady_clock::now() - lastFlush_ >= std::chrono::milliseconds(100)) flush();
}

void LineOutput::check(bool written) {
    if (written) return;
    error_ = errno;
    // A pipe whose reader has gone; the Windows C runtime reports it as EINVAL.
#ifdef _WIN32
    bool closed = error_ == EPIPE || error_ == EINVAL;
#else
    bool closed = error_ == EPIPE;
#endif
    state_ = closed ? State::Closed : State::Failed;
}

}  // namespace scramblo::cli
