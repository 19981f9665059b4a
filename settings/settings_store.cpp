#include "settings/settings_store.h"

#include <algorithm>

#include "settings/registry_key.h"

namespace scramblo {

namespace {

struct LeaveOutValue {
    const char* name;
    uint32_t kind;
};

constexpr LeaveOutValue kLeaveOutValues[] = {
    {kLeaveOutDigitsValue, LeaveOutDigits},
    {kLeaveOutAbbreviationsValue, LeaveOutAbbreviations},
    {kLeaveOutNamesValue, LeaveOutNames},
    {kLeaveOutApostrophesValue, LeaveOutApostrophes},
    {kLeaveOutCaseVariantsValue, LeaveOutCaseVariants},
};

}  // namespace

void readSettings(UserSettings& settings) {
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, kSettingsKey)) return;
    auto readNumber = [&key](const char* name, uint32_t& setting) {
        if (auto value = key.queryDword(name)) setting = *value;
    };
    auto readFlag = [&key](const char* name, bool& setting) {
        if (auto value = key.queryDword(name)) setting = *value != 0;
    };
    readNumber(kMinWordLengthValue, settings.search.minWordLength);
    readNumber(kMaxWordCountValue, settings.search.maxWordCount);
    readNumber(kMaxAnagramCountValue, settings.search.maxAnagramCount);
    readFlag(kBreadthFirstValue, settings.search.breadthFirst);
    if (auto path = key.queryString(kLexiconPathValue, kMaxStoredPathLength))
        settings.lexiconPath = *path;
    for (const LeaveOutValue& value : kLeaveOutValues) {
        if (auto stored = key.queryDword(value.name))
            settings.leaveOut =
                *stored != 0 ? settings.leaveOut | value.kind : settings.leaveOut & ~value.kind;
    }
    readNumber(kBestShownValue, settings.bestShown);
    settings.bestShown = std::clamp(settings.bestShown, kFewestBestShown, kMostBestShown);
    readFlag(kBestFirstValue, settings.bestFirst);
}

void writeSettings(const UserSettings& settings) {
    RegistryKey key;
    if (!key.createForWriting(HKEY_CURRENT_USER, kSettingsKey)) return;
    key.setDword(kMinWordLengthValue, settings.search.minWordLength);
    key.setDword(kMaxWordCountValue, settings.search.maxWordCount);
    key.setDword(kMaxAnagramCountValue, settings.search.maxAnagramCount);
    key.setDword(kBreadthFirstValue, settings.search.breadthFirst ? 1 : 0);
    key.setString(kLexiconPathValue, settings.lexiconPath);
    for (const LeaveOutValue& value : kLeaveOutValues)
        key.setDword(value.name, (settings.leaveOut & value.kind) != 0 ? 1 : 0);
    key.setDword(kBestShownValue, settings.bestShown);
    key.setDword(kBestFirstValue, settings.bestFirst ? 1 : 0);
}

void writeBestFirst(bool bestFirst) {
    RegistryKey key;
    if (key.createForWriting(HKEY_CURRENT_USER, kSettingsKey))
        key.setDword(kBestFirstValue, bestFirst ? 1 : 0);
}

}  // namespace scramblo
