#include "settings_store.h"

#include "toolkit/registry_key.h"

namespace scramblo::ui {

void readSettings(Finder& finder, std::string& lexiconPath) {
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, kSettingsKey)) return;
    auto readNumber = [&key](const char* name, std::atomic<uint32_t>& setting) {
        if (auto value = key.queryDword(name)) setting = *value;
    };
    readNumber(kMinWordLengthValue, finder.minWordLength);
    readNumber(kMaxWordCountValue, finder.maxWordCount);
    readNumber(kMaxAnagramCountValue, finder.maxAnagramCount);
    if (auto value = key.queryDword(kBreadthFirstValue)) finder.breadthFirst = *value != 0;
    if (auto path = key.queryString(kLexiconPathValue, kMaxStoredPathLength)) lexiconPath = *path;
}

void writeSettings(const Finder& finder, const std::string& lexiconPath) {
    RegistryKey key;
    if (!key.createForWriting(HKEY_CURRENT_USER, kSettingsKey)) return;
    key.setDword(kMinWordLengthValue, finder.minWordLength);
    key.setDword(kMaxWordCountValue, finder.maxWordCount);
    key.setDword(kMaxAnagramCountValue, finder.maxAnagramCount);
    key.setDword(kBreadthFirstValue, finder.breadthFirst ? 1 : 0);
    key.setString(kLexiconPathValue, lexiconPath);
}

}  // namespace scramblo::ui
