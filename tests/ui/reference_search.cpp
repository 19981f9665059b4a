#include "reference_search.h"

#include <thread>

#include "finder.h"

namespace scramblo::testing {

std::vector<Received> referenceNotifications(const std::string& lexiconPath,
                                             const std::string& phrase, uint32_t maxWordCount) {
    NotificationSink sink;
    Finder finder;
    finder.maxWordCount = maxWordCount;
    finder.targetWindow = sink.target();
    std::vector<Received> received;
    for (auto [kind, text] : {std::pair{LoadLexicon, lexiconPath}, std::pair{Search, phrase}}) {
        finder.jobKind = kind;
        finder.jobText = text;
        // Drained while the worker runs: the window's queue takes only so many.
        std::thread worker(workerMain, &finder);
        received = sink.untilJobEnds();
        worker.join();
    }
    return received;
}

std::vector<std::string> referenceAnagrams(const std::string& lexiconPath,
                                           const std::string& phrase, uint32_t maxWordCount) {
    std::vector<std::string> lines;
    for (const Received& received : referenceNotifications(lexiconPath, phrase, maxWordCount)) {
        if (received.code == AnagramFound) lines.push_back(received.text);
    }
    return lines;
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
