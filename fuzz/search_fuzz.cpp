// The search on a small fuzzed lexicon, phrase and settings, held to the
// literal search notification for notification.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "literal_search.h"
#include "search_harness.h"

namespace {

constexpr size_t kMaxLines = 40;
constexpr size_t kMaxPhraseLetters = 14;  // keeps the literal search quick

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

// Input: six setting bytes, the phrase up to the first LF, then one word per line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scramblo;
    if (size < 6) return 0;
    Finder finder;
    SearchSettings settings;
    settings.minWordLength = data[0] % 6;
    settings.maxWordCount = data[1] % 6;
    settings.maxAnagramCount = data[2] % 8;
    settings.breadthFirst = data[3] & 1;
    settings.repeatEntries = data[3] & 2;
    finder.progressPeriod = 1 + data[4] % 64;
    std::string text(reinterpret_cast<const char*>(data + 6), size - 6);

    size_t end = text.find('\n');
    std::string phrase = text.substr(0, end);
    LetterKey key;
    key.assign(phrase);
    if (key.letterCount() > kMaxPhraseLetters) return 0;
    std::vector<std::string> lines;
    for (size_t start = end; start != std::string::npos && lines.size() < kMaxLines;) {
        size_t next = text.find('\n', start + 1);
        lines.push_back(
            text.substr(start + 1, next == std::string::npos ? next : next - start - 1));
        start = next;
    }
    testing::useLexicon(finder, lines);
    std::vector<testing::Received> expected = testing::literalSearch(finder, phrase, settings);

    testing::NotificationSink sink;
    std::vector<testing::Received> received =
        testing::searchAndCollect(finder, phrase, sink, settings);
    check(received == expected);
    return 0;
}
