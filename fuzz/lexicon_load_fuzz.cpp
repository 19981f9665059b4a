// Lexicon loads of arbitrary file contents: the words must be exactly the
// distinct non-empty lines by the text-mode rules, each with one consistent
// entry, heaviest first; and whatever encoding the file is read in, every
// word is valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "jobs/finder.h"
#include "text/utf8.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// The lines the simple way: cut at Ctrl-Z, split at LF, drop one CR before each LF.
std::set<std::string> expectedWords(std::string bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::set<std::string> words;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        bool terminated = end != std::string::npos;
        std::string line = bytes.substr(start, terminated ? end - start : std::string::npos);
        if (terminated && !line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) words.insert(line);
        start = terminated ? end + 1 : bytes.size();
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(bytes);
    scramblo::Finder finder;  // no target window: the load posts nothing
    uint32_t added = finder.loadLexicon(stream);

    std::set<std::string> expected = expectedWords(bytes);
    check(added == expected.size());
    check(std::set<std::string>(finder.wordSet.begin(), finder.wordSet.end()) == expected);
    check(finder.entryList.size() == expected.size());
    std::set<const std::string*> seen;
    uint32_t previous = UINT32_MAX;
    for (const scramblo::LexiconEntry& entry : finder.entryList) {
        check(seen.insert(entry.word).second);
        check(&*finder.wordSet.find(*entry.word) == entry.word);
        scramblo::LetterKey key;
        key.assign(*entry.word);
        check(entry.key == key && entry.weight == scramblo::wordWeight(*entry.word));
        check(entry.weight <= previous);
        previous = entry.weight;
    }

    for (auto encoding : {scramblo::ListEncoding::Detect, scramblo::ListEncoding::Utf8,
                          scramblo::ListEncoding::Utf16BigEndian}) {
        scramblo::OpenedList list =
            scramblo::decodeList(std::make_unique<std::stringbuf>(bytes), encoding);
        std::istream decoded(list.text.get());
        finder.loadLexicon(decoded);
        for (const std::string& word : finder.wordSet) check(scramblo::isValidUtf8(word));
    }
    return 0;
}
