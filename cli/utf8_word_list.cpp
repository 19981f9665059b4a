#include "utf8_word_list.h"

#include <filesystem>

#include "text_encoding.h"

namespace scramblo::cli {

Utf8WordList::Utf8WordList(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) file_.open(path, std::ios::binary);
}

Utf8WordList::int_type Utf8WordList::underflow() {
    std::string utf8;
    if (!std::getline(file_, utf8)) return traits_type::eof();
    line_ = utf8ToWindows1252(utf8, ForeignCharacters::Keep);
    if (!file_.eof()) line_ += '\n';
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(line_[0]);
}

}  // namespace scramblo::cli
