// The user's settings in the registry: the search settings that Options
// shows (all but repeatEntries), the lexicon path, the kinds of lines left
// out of the lexicon and how the best anagrams are shown; read once at
// start-up and written when the user changes them. The path is UTF-8 here and
// a Unicode REG_SZ in the registry. Nothing here reports failure: a value
// that is missing or malformed leaves its setting as it is, and a failed
// write is ignored.
#pragma once

#include <string>

#include "lexicon/leave_out.h"
#include "search/search_settings.h"

namespace scramblo {

// The list that the program reads when no other is stored, looked up in the
// current folder and then beside the program.
constexpr char kDefaultLexicon[] = "WoordenLijst.txt";

// Under HKEY_CURRENT_USER.
constexpr char kSettingsKey[] = "Software\\Brevinck\\Scramblo";
constexpr char kMinWordLengthValue[] = "MinWoordLengte";
constexpr char kMaxWordCountValue[] = "MaxWoorden";
constexpr char kMaxAnagramCountValue[] = "MaxAnagrammen";
constexpr char kBreadthFirstValue[] = "ZoekEerstBreed";
constexpr char kLexiconPathValue[] = "WoordenLijst";
// REG_DWORD, 1 when lines of the kind are left out of the lexicon.
constexpr char kLeaveOutDigitsValue[] = "ZonderCijfers";
constexpr char kLeaveOutAbbreviationsValue[] = "ZonderAfkortingen";
constexpr char kLeaveOutNamesValue[] = "ZonderNamen";
constexpr char kLeaveOutApostrophesValue[] = "ZonderApostrofs";
constexpr char kLeaveOutCaseVariantsValue[] = "ZonderHoofdletterVarianten";
constexpr char kBestShownValue[] = "BesteAantal";
constexpr char kBestFirstValue[] = "BesteEerst";
// A longer stored path is not read: the longest path that Windows opens, in
// UTF-16 characters.
constexpr size_t kMaxStoredPathLength = 32767;

// The best-first view shows at least enough to choose from, and no more than
// it can write anew at the painting cadence of a flood.
constexpr uint32_t kFewestBestShown = 10;
constexpr uint32_t kMostBestShown = 10000;

struct UserSettings {
    SearchSettings search;
    std::string lexiconPath;  // empty: the program's default
    uint32_t leaveOut = LeaveOutNothing;
    uint32_t bestShown = 100;  // anagrams the best-first view shows
    bool bestFirst = false;    // the results show the best first, not as found
};

// Overwrites each setting whose stored value is valid. The search's numbers
// are taken as stored, without range checks; the number of best anagrams
// shown is brought into its range, since the window keeps that many.
void readSettings(UserSettings& settings);

// Writes every value, creating the key when it is absent.
void writeSettings(const UserSettings& settings);

// Writes only the choice of view, as the user makes it in the main window:
// the other settings are stored only by OK in Options.
void writeBestFirst(bool bestFirst);

}  // namespace scramblo
