#include "reference_search.h"

#include <thread>

#include "finder.h"
#include "notification_sink.h"

namespace scramblo::testing {

std::vector<std::string> referenceAnagrams(const std::string& lexiconPath,
                                           const std::string& phrase, uint32_t maxWordCount) {
    NotificationSink sink;
    Finder finder;
    finder.maxWordCount = maxWordCount;
    finder.targetWindow = sink.target();
    std::vector<std::string> lines;
    for (auto [kind, text] : {std::pair{LoadLexicon, lexiconPath}, std::pair{Search, phrase}}) {
        finder.jobKind = kind;
        finder.jobText = text;
        // Drained while the worker runs: a long list would not fit in a bounded queue.
        std::thread worker(workerMain, &finder);
        for (const Received& received : sink.untilJobEnds()) {
            if (received.code == AnagramFound) lines.push_back(received.text);
        }
        worker.join();
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
