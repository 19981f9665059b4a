#include "progress_line.h"

namespace scramblo::cli {

void ProgressLine::show(const std::string& text) {
    auto now = std::chrono::steady_clock::now();
    if (!stream_.isTerminal() || now - lastShown_ < std::chrono::milliseconds(100)) return;
    lastShown_ = now;
    // Spaces cover the rest of a longer text shown before.
    size_t padding = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
    stream_.write("\r" + text + std::string(padding, ' '));
    stream_.flush();
    shownLength_ = text.size();
}

void ProgressLine::clear() {
    if (shownLength_ == 0) return;
    stream_.write("\r" + std::string(shownLength_, ' ') + "\r");
    stream_.flush();
    shownLength_ = 0;
}

}  // namespace scramblo::cli
