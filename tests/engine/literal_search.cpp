#include "literal_search.h"

#include <deque>
#include <memory>

namespace scramblo::testing {
namespace {

struct SearchNode {
    LetterKey remainder;
    size_t position;  // where its expansion starts
    size_t entry;     // its last word; none for the root
    uint32_t depth;
    std::shared_ptr<const SearchNode> parent;
};

std::string anagramText(const SearchNode& node, const std::vector<LexiconEntry>& entries) {
    std::string text = *entries[node.entry].word;
    for (const SearchNode* up = node.parent.get(); up->parent; up = up->parent.get())
        text = *entries[up->entry].word + " " + text;
    return text;
}

}  // namespace

std::vector<Received> literalSearch(const Finder& finder, const std::string& phrase,
                                    const SearchSettings& settings) {
    LetterKey key;
    key.assign(phrase);
    if (key.isEmpty()) return {{PhraseRefused, 0, {}}};

    const std::vector<LexiconEntry>& entries = finder.entryList;
    std::vector<Received> posted;
    bool stop = false;
    uint32_t anagrams = 0, counter = 0, ticks = 0;
    std::deque<std::shared_ptr<const SearchNode>> queue{
        std::make_shared<SearchNode>(SearchNode{key, 0, 0, 0, nullptr})};
    while (!queue.empty() && !stop) {
        std::shared_ptr<const SearchNode> node = queue.front();
        queue.pop_front();
        for (size_t p = node->position; p < entries.size() && !stop; ++p) {
            const LetterKey& word = entries[p].key;
            if (word.letterCount() < settings.minWordLength) continue;
            LetterKey rest;
            // A word without letters counts as a try but makes no child: it
            // would repeat its parent forever.
            if (!word.isEmpty() && word.takeFrom(node->remainder, rest)) {
                auto child = std::make_shared<const SearchNode>(
                    SearchNode{rest, settings.repeatEntries ? p : p + 1, p, node->depth + 1, node});
                if (rest.isEmpty()) {
                    ++anagrams;
                    // The text travels as a zero-terminated string: a word with
                    // a NUL byte reaches the window cut short there.
                    posted.push_back({AnagramFound, 0, anagramText(*child, entries).c_str()});
                    if (settings.maxAnagramCount != 0 && anagrams >= settings.maxAnagramCount)
                        stop = true;
                } else if (settings.maxWordCount == 0 || settings.maxWordCount > child->depth) {
                    if (settings.breadthFirst) {
                        queue.push_back(child);
                    } else {
                        queue.push_front(child);
                    }
                }
            }
            if (++counter >= finder.progressPeriod) {
                posted.push_back({SearchProgress, ++ticks, {}});
                counter = 0;
            }
        }
    }
    posted.push_back({stop ? SearchStopped : SearchDone, 0, {}});
    return posted;
}

}  // namespace scramblo::testing
