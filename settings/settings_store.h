// The user's settings in the registry: the search settings that Options
// shows (all but repeatEntries) and the lexicon path, read once at start-up
// and written after every OK in the Options dialog. The path is UTF-8 here
// and a Unicode REG_SZ in the registry. Nothing here reports failure: a value
// that is missing or malformed leaves its setting as it is, and a failed
// write is ignored.
#pragma once

#include <string>

#include "search/search_settings.h"

namespace scramblo {

// Under HKEY_CURRENT_USER.
constexpr char kSettingsKey[] = "Software\\Brevinck\\Scramblo";
constexpr char kMinWordLengthValue[] = "MinWoordLengte";
constexpr char kMaxWordCountValue[] = "MaxWoorden";
constexpr char kMaxAnagramCountValue[] = "MaxAnagrammen";
constexpr char kBreadthFirstValue[] = "ZoekEerstBreed";
constexpr char kLexiconPathValue[] = "WoordenLijst";
// A longer stored path is not read: the longest path that Windows opens, in
// UTF-16 characters.
constexpr size_t kMaxStoredPathLength = 32767;

// Overwrites each setting whose stored value is valid. Numbers are taken as
// stored, without range checks.
void readSettings(SearchSettings& settings, std::string& lexiconPath);

// Writes all five values, creating the key when it is absent.
void writeSettings(const SearchSettings& settings, const std::string& lexiconPath);

}  // namespace scramblo
