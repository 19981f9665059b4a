#include "anagram_text.h"

#include <cstring>

namespace scramblo {

char* newAnagramText(std::string_view text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

void releaseAnagramText(const char* text) {
    delete[] text;
}

}  // namespace scramblo
