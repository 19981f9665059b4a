#include "options/lexicon_lookup.h"

#include "lexicon/lexicon_file.h"

namespace scramblo::ui {

bool namesReadableLexicon(const std::string& path) {
    // Given an encoding, the open reads no more than a byte-order mark.
    return openList(path, ListEncoding::Windows1252).has_value();
}

std::string triedLexiconPaths(const std::string& path) {
    std::string lines;
    for (const std::string& candidate : lexiconCandidates(path)) {
        if (!lines.empty()) lines += '\n';
        lines += candidate;
    }
    return lines;
}

}  // namespace scramblo::ui
