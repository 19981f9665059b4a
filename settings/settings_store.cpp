#include "settings/settings_store.h"

#include "settings/registry_key.h"

namespace scramblo {

void readSettings(SearchSettings& settings, std::string& lexiconPath) {
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, kSettingsKey)) return;
    auto readNumber = [&key](const char* name, uint32_t& setting) {
        if (auto value = key.queryDword(name)) setting = *value;
    };
    readNumber(kMinWordLengthValue, settings.minWordLength);
    readNumber(kMaxWordCountValue, settings.maxWordCount);
    readNumber(kMaxAnagramCountValue, settings.maxAnagramCount);
    if (auto value = key.queryDword(kBreadthFirstValue)) settings.breadthFirst = *value != 0;
    if (auto path = key.queryString(kLexiconPathValue, kMaxStoredPathLength)) lexiconPath = *path;
}

void writeSettings(const SearchSettings& settings, const std::string& lexiconPath) {
    RegistryKey key;
    if (!key.createForWriting(HKEY_CURRENT_USER, kSettingsKey)) return;
    key.setDword(kMinWordLengthValue, settings.minWordLength);
    key.setDword(kMaxWordCountValue, settings.maxWordCount);
    key.setDword(kMaxAnagramCountValue, settings.maxAnagramCount);
    key.setDword(kBreadthFirstValue, settings.breadthFirst ? 1 : 0);
    key.setString(kLexiconPathValue, lexiconPath);
}

}  // namespace scramblo
