// One search of the finder's entry list for the anagrams of a phrase, run on
// the worker thread. It posts exactly what the plain queue walk posts, where
// every partial anagram (a node) tries each entry from its own list position
// on: the same anagrams and progress ticks in the same order, then the same
// end. But it only looks at entries that can still fit:
// - The entries that fit the phrase are the search's candidates. A node that
//   will have children keeps a list of the candidates that fit its
//   remainder, from its own start on, taken from its parent's list (whatever
//   fits a child fits its parent).
// - A node's expansion looks up the candidates equal to its remainder, its
//   anagrams; every other entry it would try is counted in bulk, from the
//   candidates' ranks among the entries long enough to be tried, so progress
//   ticks fall between the same anagrams. A child with fewer letters than
//   the shortest candidate is such a count and nothing more.
// - Depth first expands a node, then each child's whole subtree, last child
//   first: the order of a queue that takes children at its front.
// - Breadth first deepens iteratively: pass d walks the tree down to depth d
//   and expands the nodes there in first-in first-out order (by the list
//   positions of their words), so memory holds one candidate list per depth
//   instead of every open partial anagram.
// The stop flag is polled before every node and every anagram, and every
// few thousand entries while the candidates are gathered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "finder.h"
#include "letter_packing.h"
#include "letters_index.h"

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
    // An entry that fits the phrase. Its packed letters are kept apart, in
    // letters_, where narrowing reads them close together.
    struct Candidate {
        uint32_t letterCount;
        uint32_t entry;  // its position in the entry list
        uint32_t rank;   // entries long enough to be tried that come before it
    };

    // A partial anagram on the path from the root to the node being worked on.
    struct Node {
        uint64_t remainder = 0;  // packed
        uint32_t letterCount = 0;
        uint32_t firstCandidate = 0;  // where its expansion starts
        uint32_t startRank = 0;       // the rank of the first entry it tries
        uint32_t word = 0;            // the candidate it added; none for the root
        // Indices of candidates; filled only when the node's children are wanted.
        std::vector<uint32_t> candidates;
    };

    bool stopped() const { return finder_.stopRequested(); }
    bool mayGrow(size_t depth) const { return maxWordCount_ == 0 || depth < maxWordCount_; }
    // A child needs a word and letters left over, and no word is shorter than
    // the shortest candidate.
    bool mayHaveChildren(const Node& node, size_t depth) const {
        return mayGrow(depth + 1) && node.letterCount > shortestWord_;
    }

    bool collectCandidates();
    void makeChild(size_t depth, size_t word);
    void narrow(size_t depth, size_t word);
    void expand(size_t depth);
    void expandBareChild(const Candidate& word);
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
    // A child's expansion starts at its own word, so that a word may be used
    // again, or just after it when entries may not repeat.
    const uint32_t childStartsAfterWord_;
    const uint32_t progressPeriod_;

    std::vector<Candidate> candidates_;  // in list order
    std::vector<uint64_t> letters_;      // by candidate
    LettersIndex anagrams_;              // the candidates by their letters
    uint32_t eligibleCount_ = 0;         // entries long enough to be tried
    uint32_t shortestWord_ = 0;          // letters of the shortest candidate
    bool deeperNodes_ = false;           // a breadth-first pass met nodes with children
    std::vector<Node> path_;             // by depth; the root is path_[0]
    std::string text_;                   // the anagram being built
};

}  // namespace scramblo
