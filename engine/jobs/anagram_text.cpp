#include "jobs/anagram_text.h"

#include "jobs/anagram_text_writer.h"

namespace scramblo {

char* newAnagramText(std::string_view text) {
    AnagramTextWriter writer;
    return writer.write({}, text);
}

void releaseAnagramText(const char* text) {
    AnagramTextWriter::release(text);
}

}  // namespace scramblo
