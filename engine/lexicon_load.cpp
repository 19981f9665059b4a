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

    // A stop request does not shorten a load: it only turns its end
    // notification from LoadDone into LoadStopped. An abandoned load ends at
    // once, with nothing loaded.
    try {
        TextLineReader reader(stream);
        std::string line;
        auto previous = wordSet.end();
        // A filtered load passes over most lines: it reports each thousand once.
        uint32_t reported = UINT32_MAX;
        while (reader.getline(line)) {
            if (abandoned()) {
                entryList.clear();
                wordSet.clear();
                wordsAdded = 0;
                break;
            }
            if (addWord(line, previous)) ++wordsAdded;
            if (wordsAdded % 1000 == 0 && (loadFilter.isEmpty() || wordsAdded != reported)) {
                post(LoadProgress, wordsAdded);
                reported = wordsAdded;
            }
        }
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
    return true;
}

}  // namespace scramblo
