// One search of the finder's entry list for the anagrams of a phrase, run on
// the worker thread. It posts exactly what the plain queue walk posts, where
// every partial anagram (a node) tries each entry from its own list position
// on: the same anagrams and progress ticks in the same order, then the same
// end. But it only looks at entries that can still fit, and at subtrees that
// hold an anagram:
// - The entries that fit the phrase are the search's candidates. A node that
//   is walked keeps a list of the candidates that fit its remainder, from its
//   own start on, taken from its parent's list (whatever fits a child fits
//   its parent).
// - A node's expansion looks up the candidates equal to its remainder, its
//   anagrams; every other entry it would try is counted in bulk, from the
//   candidates' ranks among the entries long enough to be tried, so progress
//   ticks fall between the same anagrams.
// - Nodes with few letters left are the bulk of the tree. Their subtrees are
//   described once per remainder (see subtree_table.h): a subtree without an
//   anagram, at the level a pass looks at, is passed over as one count of
//   tries.
// - Depth first expands a node, then each child's whole subtree, last child
//   first: the order of a queue that takes children at its front.
// - Breadth first deepens iteratively: pass d walks the tree down to depth d
//   and expands the nodes there in first-in first-out order (by the list
//   positions of their words), so memory holds one candidate list per depth
//   instead of every open partial anagram.
// The stop flag is polled before every node walked and every anagram, after
// every progress tick, and every few thousand entries while the candidates
// are gathered.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "jobs/anagram_text_writer.h"
#include "jobs/finder.h"
#include "search/candidate_set.h"
#include "search/subtree_table.h"

namespace scramblo {

class AnagramSearch {
  public:
    // Searches with the settings of the finder's job; every anagram's text
    // starts with `textPrefix`, which outlives the search.
    AnagramSearch(Finder& finder, const LetterKey& phrase, std::string_view textPrefix = {});

    // Posts the anagrams and progress ticks, until done or stopped; the caller
    // posts the end notification.
    void run();

  private:
    static constexpr uint32_t kNone = SubtreeTable::kNone;

    // A partial anagram on the path from the root to the node being worked on.
    struct Node {
        uint64_t remainder = 0;  // packed
        uint32_t letterCount = 0;
        uint32_t levels = 0;          // 1: it has no children
        uint32_t firstCandidate = 0;  // where its expansion starts
        uint32_t startRank = 0;       // the rank of the first entry it tries
        uint32_t record = kNone;      // its subtree's record, if it has one
        uint32_t startEdge = 0;       // its first edge in that record
        uint32_t word = 0;            // the candidate it added
        uint32_t score = 0;           // the costs of the words on the path to it
        // Walked nodes without a record: the candidates that fit, from its
        // start on; the first `candidateCount` of these (grown only, since
        // growing again would fill them for nothing).
        std::vector<uint32_t> candidates;
        size_t candidateCount = 0;
    };

    // What a child's record says, before the child is made.
    struct ChildRecord {
        uint32_t record = kNone;
        uint32_t startEdge = 0;
        uint32_t anagramLevels = 0;
        uint64_t tries = 0;  // of its whole subtree, its own included
    };

    bool stopped() const { return finder_.stopRequested(); }

    void enterChild(size_t depth, uint32_t candidate, uint32_t levels, uint32_t record,
                    uint32_t startEdge);
    void enterEdge(size_t depth, uint32_t edge);
    void findRootRecord();
    ChildRecord childRecord(size_t depth, uint32_t candidate, uint32_t letterCount,
                            uint32_t levels);
    void narrow(size_t depth, size_t word);

    void expand(size_t depth);
    void searchDepthFirst(size_t depth);
    void searchDepthFirstRecorded(size_t depth);
    void searchBreadthFirst();
    void expandLevel(size_t depth, size_t target);
    void expandLevelRecorded(size_t depth, size_t target);
    void report(size_t depth, uint32_t last);
    // Counts `tries` more entries tried: each time the counter reaches the
    // progress period a progress tick is posted and the counter starts again.
    void countTries(uint64_t tries) {
        uint32_t& counter = finder_.expansionCounter;
        if (tries < progressPeriod_ - counter) {
            counter += static_cast<uint32_t>(tries);
        } else {
            tick(tries);
        }
    }
    void tick(uint64_t tries);

    Finder& finder_;
    const LetterKey phrase_;
    const uint32_t minWordLength_;
    const uint32_t maxWordCount_;
    const uint32_t maxAnagramCount_;
    const bool breadthFirst_;
    // A child's expansion starts at its own word, so that a word may be used
    // again, or just after it when entries may not repeat.
    const uint32_t childStartsAfterWord_;
    const uint32_t progressPeriod_;

    CandidateSet candidates_;
    SubtreeTable subtrees_;
    std::vector<Node> path_;  // by depth; the root is path_[0]
    // The text prefix, then the words on the path, each followed by a space,
    // written when an anagram needs them: up to `textDepth_` they are those of path_.
    std::string_view textPrefix_;
    std::vector<char> text_;
    std::vector<size_t> textEnds_;  // by depth: where the text of the path to it ends
    size_t textDepth_ = 0;
    AnagramTextWriter texts_;
};

}  // namespace scramblo
