// Standard output for anagram lines. Lines are gathered and written (and so
// converted) in large runs, but flushed at least every 100 ms, so that each
// appears about when it is found. A reader that went away (a closed pipe) is
// a normal end, any other failure an error.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "text_stream.h"

namespace scramblo::cli {

class LineOutput {
  public:
    enum class State { Open, Closed, Failed };

    explicit LineOutput(TextStream& stream) : stream_(stream) {}
    ~LineOutput() { flush(); }
    LineOutput(const LineOutput&) = delete;
    LineOutput& operator=(const LineOutput&) = delete;

    // Writes the text and a line end; does nothing once the output is not open.
    void writeLine(std::string_view text);
    void flush();
    // Flushes when the last flush is 100 ms ago or more.
    void flushIfDue();

    State state() const { return state_; }
    int error() const { return error_; }  // errno of the failure

  private:
    void writeGathered();
    void check(bool written);

    TextStream& stream_;
    std::string gathered_;
    State state_ = State::Open;
    int error_ = 0;
    std::chrono::steady_clock::time_point lastFlush_ = std::chrono::steady_clock::now();
};

}  // namespace scramblo::cli
