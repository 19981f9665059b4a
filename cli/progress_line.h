// A one-line progress indicator on a terminal, redrawn in place at most ten
// times a second and erased before other text goes to the same terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace scramblo::cli {

class ProgressLine {
  public:
    // A disabled line shows nothing.
    ProgressLine(std::FILE* file, bool enabled) : file_(file), enabled_(enabled) {}

    void show(const std::string& text);
    void clear();

  private:
    std::FILE* file_;
    bool enabled_;
    size_t shownLength_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace scramblo::cli
