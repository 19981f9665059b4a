// The lexicon half of the Finder: loading the word set and the entry list.
#include <algorithm>
#include <new>

#include "finder.h"
#include "text_line_reader.h"

namespace scramblo {

uint32_t Finder::loadLexicon(std::istream& stream) {
    entryList.clear();
    wordSet.clear();
    uint32_t wordsAdded = 0;
    setStop(false);

    // The load does not look at the stop flag while reading: a stop request
    // only turns its end notification from LoadDone into LoadStopped.
    try {
        TextLineReader reader(stream);
        std::string line;
        while (reader.getline(line)) {
            if (addWord(line)) ++wordsAdded;
            if (wordsAdded % 1000 == 0) post(LoadProgress, wordsAdded);
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: the words read so far form the lexicon.
    }
    std::sort(entryList.begin(), entryList.end());
    post(stopRequested() ? LoadStopped : LoadDone, wordsAdded);
    return wordsAdded;
}

bool Finder::addWord(const std::string& line) {
    if (line.empty()) return false;
    if (!loadFilter.isEmpty()) {
        LetterKey key, rest;
        key.assign(line);
        if (!key.takeFrom(loadFilter, rest)) return false;
    }
    // A word list in byte order appends at the end of the set: hint it there.
    bool atEnd = wordSet.empty() || *wordSet.rbegin() < line;
    auto [word, added] =
        atEnd ? std::pair(wordSet.emplace_hint(wordSet.end(), line), true) : wordSet.insert(line);
    if (!added) return false;
    try {
        entryList.emplace_back(*word);
    } catch (...) {
        wordSet.erase(word);  // every word keeps exactly one entry
        throw;
    }
    return true;
}

}  // namespace scramblo
