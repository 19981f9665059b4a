// The lexicon half of the Finder: loading the word set and the entry list.
#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <unordered_set>

#include "jobs/finder.h"
#include "letters/latin_letters.h"
#include "lexicon/leave_out.h"
#include "lexicon/text_line_reader.h"
#include "text/windows_1252.h"

namespace scramblo {
namespace {

// The bytes that may stand in a word that fits the filter: every ASCII byte
// that is no letter, the letters the filter holds, and every byte of a
// character beyond ASCII, whose letters its key tells. A line with any other
// byte cannot fit, and most lines of a word list fail on their first few
// bytes: far cheaper than building their keys.
BytesThatMayStand bytesThatMayStand(const LetterKey& filter) {
    BytesThatMayStand mayStand{};
    for (int byte = 0; byte < 256; ++byte) {
        std::string_view letters = byte < 0x80 ? plainLetters(static_cast<char32_t>(byte)) : "";
        mayStand[byte] = filter.isEmpty() || letters.empty() || filter.occurrences(letters[0]) != 0;
    }
    return mayStand;
}

}  // namespace

uint32_t Finder::loadLexicon(std::istream& stream) {
    entryList.clear();
    wordSet.clear();
    wordsWithForeignCharacters = 0;
    uint32_t wordsAdded = 0;

    // A stop request does not shorten a load: it only turns its end
    // notification from LoadDone into LoadStopped. An abandoned load ends at
    // once, with nothing loaded.
    try {
        TextLineReader reader(stream);
        std::string_view line;
        std::string word;  // a line that may become a word, copied out of the reader
        auto previous = wordSet.end();
        // A filtered load passes over most lines: it reports each thousand once.
        uint32_t reported = UINT32_MAX;
        const BytesThatMayStand mayStand = bytesThatMayStand(loadFilter);
        auto mayAdd = [&mayStand](std::string_view line) {
            return std::all_of(line.begin(), line.end(), [&mayStand](char byte) {
                return mayStand[static_cast<uint8_t>(byte)];
            });
        };
        const bool filtered = !loadFilter.isEmpty();
        const uint32_t kindsLeftOut = leaveOut & ~LeaveOutCaseVariants;
        while (filtered ? reader.nextLineThatMayStand(line, mayStand) : reader.nextLine(line)) {
            if (abandoned()) {
                entryList.clear();
                wordSet.clear();
                wordsAdded = 0;
                break;
            }
            if (mayAdd(line) && (kindsLeftOut == 0 || (kindsOfLine(line) & kindsLeftOut) == 0) &&
                addWord(word.assign(line), previous))
                ++wordsAdded;
            if (wordsAdded % 1000 == 0 && (loadFilter.isEmpty() || wordsAdded != reported)) {
                post(LoadProgress, wordsAdded);
                reported = wordsAdded;
            }
        }
        // Before the sort, while the entries stand in the list's order.
        if (leaveOut & LeaveOutCaseVariants) wordsAdded -= leaveOutCaseVariants();
    } catch (const std::bad_alloc&) {
        // Out of memory: the words read so far form the lexicon.
    }
    std::sort(entryList.begin(), entryList.end());
    post(stopRequested() ? LoadStopped : LoadDone, wordsAdded);
    return wordsAdded;
}

bool Finder::addWord(const std::string& line) {
    auto previous = wordSet.end();
    return addWord(line, previous);
}

bool Finder::addWord(const std::string& line, WordSet::iterator& previous) {
    if (line.empty()) return false;
    if (!loadFilter.isEmpty()) {
        LetterKey key, rest;
        key.assign(line);
        if (!key.takeFrom(loadFilter, rest)) return false;
    }
    // Word lists are sorted, if only mostly in byte order: a word goes right
    // behind the one added before it far more often than anywhere else.
    auto hint = previous == wordSet.end() ? previous : std::next(previous);
    size_t sizeBefore = wordSet.size();
    auto word = wordSet.emplace_hint(hint, line);
    if (wordSet.size() == sizeBefore) return false;
    try {
        entryList.emplace_back(*word);
    } catch (...) {
        wordSet.erase(word);  // every word keeps exactly one entry
        throw;
    }
    previous = word;
    if (holdsCharacterBeyondWindows1252(*word)) ++wordsWithForeignCharacters;
    return true;
}

uint32_t Finder::leaveOutCaseVariants() {
    // A word in small letters always stays. Of a word with a capital, what
    // stays is the word in small letters if there is one, otherwise the first
    // spelling in the list.
    std::unordered_set<std::string> firstSpellings;
    std::vector<bool> goes(entryList.size(), false);
    uint32_t gone = 0;
    for (size_t i = 0; i < entryList.size(); ++i) {
        const std::string& word = *entryList[i].word;
        std::string small = withSmallLetters(word);
        if (small == word) continue;
        if (wordSet.count(small) != 0 || !firstSpellings.insert(std::move(small)).second) {
            goes[i] = true;
            ++gone;
        }
    }
    if (gone == 0) return 0;
    size_t kept = 0;
    for (size_t i = 0; i < entryList.size(); ++i) {
        if (goes[i]) {
            if (holdsCharacterBeyondWindows1252(*entryList[i].word)) --wordsWithForeignCharacters;
            wordSet.erase(wordSet.find(*entryList[i].word));
        } else {
            entryList[kept++] = entryList[i];
        }
    }
    entryList.erase(entryList.begin() + static_cast<std::ptrdiff_t>(kept), entryList.end());
    return gone;
}

}  // namespace scramblo
