#include "reference_search.h"

#include <algorithm>
#include <fstream>

#include "jobs/finder.h"

namespace scramblo::testing {

std::vector<Received> referenceNotifications(const std::string& lexiconPath,
                                             const std::string& phrase, uint32_t maxWordCount,
                                             bool breadthFirst, bool filtered) {
    NotificationSink sink;
    Finder finder;
    if (filtered) finder.loadFilter.assign(phrase);
    runJobAndCollect(finder, LoadLexicon, lexiconPath, sink);
    SearchSettings settings;
    settings.maxWordCount = maxWordCount;
    settings.breadthFirst = breadthFirst;
    return runJobAndCollect(finder, Search, phrase, sink, settings);
}

std::vector<std::string> referenceAnagrams(const std::string& lexiconPath,
                                           const std::string& phrase, uint32_t maxWordCount,
                                           bool breadthFirst, bool filtered) {
    std::vector<std::string> lines;
    for (const Received& received :
         referenceNotifications(lexiconPath, phrase, maxWordCount, breadthFirst, filtered)) {
        if (received.code == AnagramFound) lines.push_back(received.text);
    }
    return lines;
}

std::string americanLowerCaseWords() {
#ifdef _WIN32
    std::ifstream american("Z:\\usr\\share\\dict\\american-english");
#else
    std::ifstream american("/usr/share/dict/american-english");
#endif
    std::string words;
    for (std::string line; std::getline(american, line);) {
        if (!line.empty() &&
            std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
            words += line + "\n";
        }
    }
    return words;
}

std::string joinLines(const std::vector<std::string>& lines, size_t count) {
    std::string text;
    for (size_t i = 0; i < count && i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace scramblo::testing
