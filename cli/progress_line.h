// A one-line progress indicator on a terminal, redrawn in place at most ten
// times a second and erased before other text goes to the same terminal.
#pragma once

#include <chrono>
#include <string>

#include "text_stream.h"

namespace scramblo::cli {

class ProgressLine {
  public:
    // Shows nothing unless the stream is a terminal.
    explicit ProgressLine(TextStream& stream) : stream_(stream) {}

    void show(const std::string& text);
    void clear();

  private:
    TextStream& stream_;
    size_t shownLength_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace scramblo::cli
