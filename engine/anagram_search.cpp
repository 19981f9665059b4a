// The search half of the Finder: a queue-driven walk over partial anagrams.
#include <deque>

#include "anagram_text.h"
#include "finder.h"

namespace scramblo {
namespace {

struct SearchNode {
    LetterKey remainder;
    size_t position;
    uint32_t depth;
    SearchNode* parent;
    int32_t refCount;
};

void release(SearchNode* node) {
    while (node != nullptr && --node->refCount == 0) {
        SearchNode* parent = node->parent;
        delete node;
        node = parent;
    }
}

}  // namespace

uint32_t Finder::findAnagrams(const std::string& phrase) {
    anagramCount = expansionCounter = progressTickCount = 0;
    setStop(false);
    // The owner may change the settings while the search runs; one search
    // keeps to the values it started with.
    const uint32_t minLength = minWordLength;
    const uint32_t maxWords = maxWordCount;
    const uint32_t maxAnagrams = maxAnagramCount;
    const bool breadth = breadthFirst;
    uint32_t start = platform::tickCount();
    LetterKey key;
    key.assign(phrase);
    if (key.isEmpty()) {
        post(PhraseRefused, 0);
        return 0;
    }
    std::deque<SearchNode*> queue{new SearchNode{key, 0, 0, nullptr, 1}};
    while (!queue.empty() && !stopRequested()) {
        SearchNode* node = queue.front();
        queue.pop_front();
        // A node's position is the entry it added, which its text needs; without
        // repeats its expansion starts one further (the root adds none).
        size_t first = node->position + (node->parent != nullptr && !repeatEntries ? 1 : 0);
        for (size_t p = first; p < entryList.size() && !stopRequested(); ++p) {
            const LexiconEntry& entry = entryList[p];
            if (entry.key.letterCount() < minLength) continue;
            LetterKey rest;
            if (entry.key.letterCount() != 0 && entry.key.takeFrom(node->remainder, rest)) {
                ++node->refCount;
                auto* child = new SearchNode{rest, p, node->depth + 1, node, 1};
                if (rest.isEmpty()) {
                    ++anagramCount;
                    std::string text = *entry.word;
                    for (SearchNode* up = node; up->parent != nullptr; up = up->parent)
                        text = *entryList[up->position].word + " " + text;
                    char* copy = newAnagramText(text);
                    if (!post(AnagramFound, reinterpret_cast<uintptr_t>(copy)))
                        releaseAnagramText(copy);
                    release(child);
                    if (maxAnagrams != 0 && anagramCount >= maxAnagrams) setStop(true);
                } else if (maxWords == 0 || maxWords > child->depth) {
                    if (breadth) {
                        queue.push_back(child);
                    } else {
                        queue.push_front(child);
                    }
                } else {
                    release(child);
                }
            }
            if (++expansionCounter >= progressPeriod) {
                ++progressTickCount;
                post(SearchProgress, progressTickCount);
                expansionCounter = 0;
            }
        }
        release(node);
    }
    for (SearchNode* node : queue) release(node);
    post(stopRequested() ? SearchStopped : SearchDone, platform::tickCount() - start);
    return anagramCount;
}

}  // namespace scramblo
