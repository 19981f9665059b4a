#include "progress_line.h"

namespace scramblo::cli {

void ProgressLine::show(const std::string& text) {
    auto now = std::chrono::steady_clock::now();
    if (!enabled_ || now - lastShown_ < std::chrono::milliseconds(100)) return;
    lastShown_ = now;
    // Spaces cover the rest of a longer text shown before.
    size_t padding = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
    std::fprintf(file_, "\r%s%*s", text.c_str(), static_cast<int>(padding), "");
    std::fflush(file_);
    shownLength_ = text.size();
}

void ProgressLine::clear() {
    if (shownLength_ == 0) return;
    std::fprintf(file_, "\r%*s\r", static_cast<int>(shownLength_), "");
    std::fflush(file_);
    shownLength_ = 0;
}

}  // namespace scramblo::cli
