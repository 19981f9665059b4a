#include "search_harness.h"

#include <algorithm>

namespace scramblo::testing {

void useLexicon(Finder& finder, const std::vector<std::string>& lines) {
    finder.entryList.clear();
    finder.wordSet.clear();
    for (const std::string& line : lines) finder.addWord(line);
    std::sort(finder.entryList.begin(), finder.entryList.end());
}

std::vector<Received> searchAndCollect(Finder& finder, const std::string& phrase,
                                       NotificationSink& sink, const SearchSettings& settings) {
    std::vector<Received> received = runJobAndCollect(finder, Search, phrase, sink, settings);
    if (received.back().code == SearchDone || received.back().code == SearchStopped)
        received.back().value = 0;
    return received;
}

std::vector<std::string> anagramsIn(const std::vector<Received>& received) {
    std::vector<std::string> texts;
    for (const Received& one : received) {
        if (one.code == AnagramFound) texts.push_back(one.text);
    }
    return texts;
}

}  // namespace scramblo::testing
