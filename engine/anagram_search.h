// One search of the finder's entry list for the anagrams of a phrase, run on
// the worker thread. It posts exactly what the plain queue walk posts, where
// every partial anagram (a node) tries each entry from its own list position
// on: the same anagrams and progress ticks in the same order, then the same
// end. But it only looks at entries that can still fit:
// - The entries that fit the phrase are the root's candidates; a node that
//   will have children keeps those of its parent's candidates that fit its
//   remainder, from its own start on (whatever fits a child fits its parent).
// - A node's expansion looks up the candidates equal to its remainder, its
//   anagrams; every other entry it would try is counted in bulk, from the
//   candidates' ranks among the entries long enough to be tried, so progress
//   ticks fall between the same anagrams.
// - Depth first expands a node, then each child's whole subtree, last child
//   first: the order of a queue that takes children at its front.
// - Breadth first deepens iteratively: pass d walks the tree down to depth d
//   and expands the nodes there in first-in first-out order (by the list
//   positions of their words), so memory holds one candidate list per depth
//   instead of every open partial anagram.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "finder.h"
#include "letter_packing.h"

namespace scramblo {

class AnagramSearch {
  public:
    // Reads the settings once: the Options dialog may change them while the
    // search runs, and a running search keeps the ones it started with.
    AnagramSearch(Finder& finder, const LetterKey& phrase);

    // Posts the anagrams and progress ticks, until done or stopped; the caller
    // posts the end notification.
    void run();

  private:
    struct Candidate {
        uint64_t letters;  // packed
        uint32_t letterCount;
        uint32_t entry;  // its position in the entry list
        uint32_t rank;   // entries long enough to be tried that come before it
    };

    // A partial anagram on the path from the root to the node being worked on.
    struct Node {
        uint64_t remainder = 0;  // packed
        uint32_t letterCount = 0;
        uint32_t startEntry = 0;  // the first entry its expansion tries
        uint32_t startRank = 0;
        uint32_t entry = 0;  // its last word; none for the root
        // Filled only for a node whose children are wanted.
        std::vector<Candidate> candidates;
    };

    bool stopped() const { return finder_.stopRequested(); }
    bool mayGrow(size_t depth) const { return maxWordCount_ == 0 || depth < maxWordCount_; }
    bool completes(const Node& node, const Candidate& word) const {
        return word.letterCount == node.letterCount;
    }
    // A child needs a word and letters left over, and no word is shorter than
    // the shortest candidate.
    bool mayHaveChildren(const Node& node, size_t depth) const {
        return mayGrow(depth + 1) && node.letterCount > shortestWord_;
    }

    static uint32_t lettersHash(uint64_t letters);
    bool mayBeACandidate(uint64_t letters) const;
    bool collectCandidates();
    void makeChild(size_t depth, size_t word);
    void narrow(size_t depth, size_t word);
    void expand(size_t depth);
    void searchDepthFirst(size_t depth);
    void searchBreadthFirst();
    void expandLevel(size_t depth, size_t target);
    void report(size_t depth, const Candidate& last);
    void countTries(uint32_t tries);

    Finder& finder_;
    const std::vector<LexiconEntry>& entries_;
    const LetterKey phrase_;
    const LetterPacking packing_;
    const uint32_t minWordLength_;
    const uint32_t maxWordCount_;
    const uint32_t maxAnagramCount_;
    const bool breadthFirst_;
    const bool repeatEntries_;
    const uint32_t progressPeriod_;

    uint32_t eligibleCount_ = 0;         // entries long enough to be tried
    uint32_t shortestWord_ = 0;          // letters of the shortest candidate
    std::vector<Candidate> byLetters_;   // the candidates by letters, then entry
    std::vector<uint64_t> lettersSeen_;  // a bit per hash of the candidates' letters
    bool deeperNodes_ = false;           // a breadth-first pass met nodes with children
    std::vector<Node> path_;             // index: depth; the root is path_[0]
    std::string text_;                   // the anagram being built
};

}  // namespace scramblo
