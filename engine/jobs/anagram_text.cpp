#include "jobs/anagram_text.h"

#include "jobs/anagram_text_writer.h"

namespace scramblo {

char* newAnagramText(std::string_view text, uint32_t score) {
    AnagramTextWriter writer;
    return writer.write({}, text, score);
}

uint32_t anagramScore(const char* text) {
    return AnagramTextWriter::score(text);
}

void releaseAnagramText(const char* text) {
    AnagramTextWriter::release(text);
}

}  // namespace scramblo
