#include "line_output.h"

#include <cerrno>

namespace scramblo::cli {
namespace {

// Lines are written once this much is gathered.
constexpr size_t kRun = size_t{1} << 16;

}  // namespace

void LineOutput::writeLine(std::string_view text) {
    if (state_ != State::Open) return;
    gathered_.append(text);
    gathered_ += '\n';
    if (gathered_.size() >= kRun) writeGathered();
}

void LineOutput::writeGathered() {
    if (state_ == State::Open && !gathered_.empty()) check(stream_.write(gathered_));
    gathered_.clear();
}

void LineOutput::flush() {
    lastFlush_ = std::chrono::steady_clock::now();
    writeGathered();
    if (state_ == State::Open) check(stream_.flush());
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
