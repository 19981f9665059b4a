#include "search/anagram_search.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

#include "jobs/anagram_text.h"
#include "letters/letters_left.h"

namespace scramblo {

AnagramSearch::AnagramSearch(Finder& finder, const LetterKey& phrase, std::string_view textPrefix)
    : finder_(finder),
      phrase_(phrase),
      minWordLength_(finder.jobSettings().minWordLength),
      maxWordCount_(finder.jobSettings().maxWordCount),
      maxAnagramCount_(finder.jobSettings().maxAnagramCount),
      breadthFirst_(finder.jobSettings().breadthFirst),
      childStartsAfterWord_(finder.jobSettings().repeatEntries ? 0 : 1),
      // A period of 0 ticks on every try, as 1 does.
      progressPeriod_(std::max(finder.progressPeriod, uint32_t{1})),
      candidates_(finder, phrase, minWordLength_),
      subtrees_(finder, candidates_, childStartsAfterWord_, phrase.letterCount()),
      // Every word has a letter, so no path is longer than the phrase.
      path_(phrase.letterCount() + 1),
      textPrefix_(textPrefix),
      textEnds_(phrase.letterCount() + 1, textPrefix.size()) {}

void AnagramSearch::run() {
    if (!candidates_.complete()) return;
    // Room for the prefix and the longest path: no more words than letters.
    size_t longestWord = 0;
    for (size_t candidate = 0; candidate < candidates_.size(); ++candidate)
        longestWord = std::max(longestWord, candidates_[candidate].text.size());
    text_.resize(textPrefix_.size() + (longestWord + 1) * phrase_.letterCount());
    std::copy(textPrefix_.begin(), textPrefix_.end(), text_.begin());
    Node& root = path_[0];
    root.remainder = candidates_.pack(phrase_);
    root.letterCount = phrase_.letterCount();
    root.levels = subtrees_.levelsOf(root.letterCount, maxWordCount_);
    root.candidates.resize(candidates_.size());
    std::iota(root.candidates.begin(), root.candidates.end(), 0);
    root.candidateCount = candidates_.size();
    findRootRecord();
    if (breadthFirst_) {
        searchBreadthFirst();
    } else {
        searchDepthFirst(0);
    }
}

// Makes the node at depth + 1 that adds `candidate` to the node at `depth`.
void AnagramSearch::enterChild(size_t depth, uint32_t candidate, uint32_t levels, uint32_t record,
                               uint32_t startEdge) {
    const Node& node = path_[depth];
    Node& child = path_[depth + 1];
    const CandidateSet::Candidate& word = candidates_[candidate];
    child.remainder = node.remainder - candidates_.letters(candidate);
    child.letterCount = node.letterCount - word.letterCount;
    child.levels = levels;
    child.firstCandidate = candidate + childStartsAfterWord_;
    child.startRank = word.rank + childStartsAfterWord_;
    child.record = record;
    child.startEdge = startEdge;
    child.word = candidate;
    child.score = node.score + word.cost;
    textDepth_ = std::min(textDepth_, depth);
}

// Makes the child at the `edge`th edge of the record of the node at `depth`.
void AnagramSearch::enterEdge(size_t depth, uint32_t edge) {
    uint32_t record = path_[depth].record;
    const SubtreeTable::Edge& next = subtrees_.edge(record, edge);
    uint32_t levels = next.child == kNone ? 1 : subtrees_.levels(next.child);
    enterChild(depth, subtrees_.candidates(record)[edge], levels, next.child, next.childStart);
}

// The root's subtree record, when it can have one.
void AnagramSearch::findRootRecord() {
    Node& root = path_[0];
    if (root.levels < 2) return;
    SubtreeTable::Start start = subtrees_.startOf(root.remainder, root.letterCount, root.levels, 0);
    root.record = start.record;
    root.startEdge = start.edge;
}

// What the record of the child that `candidate` makes of the node at `depth`
// says about its subtree; no record for a child that cannot grow.
AnagramSearch::ChildRecord AnagramSearch::childRecord(size_t depth, uint32_t candidate,
                                                      uint32_t letterCount, uint32_t levels) {
    ChildRecord child;
    if (levels < 2) return child;
    uint64_t remainder = path_[depth].remainder - candidates_.letters(candidate);
    uint32_t first = candidate + childStartsAfterWord_;
    SubtreeTable::Start start = subtrees_.startOf(remainder, letterCount, levels, first);
    child.record = start.record;
    if (child.record == kNone) return child;
    child.startEdge = start.edge;
    child.anagramLevels = subtrees_.anagramLevels(child.record, child.startEdge, first);
    child.tries =
        candidates_.eligibleCount() - candidates_[candidate].rank - childStartsAfterWord_ +
        subtrees_.allTries(child.record, child.startEdge, subtrees_.edgeCount(child.record));
    return child;
}

// Gives the child at depth + 1, made from the `word`th candidate in the list
// of the node at `depth`, its own list: the candidates of its parent's list,
// from the child's start on, that fit its remainder.
void AnagramSearch::narrow(size_t depth, size_t word) {
    const Node& node = path_[depth];
    Node& child = path_[depth + 1];
    const uint32_t* source = node.candidates.data() + word + childStartsAfterWord_;
    const uint32_t* end = node.candidates.data() + node.candidateCount;
    if (child.candidates.size() < static_cast<size_t>(end - source))
        child.candidates.resize(static_cast<size_t>(end - source));
    // Every candidate is written, but only one that fits is kept: no branch to mispredict.
    uint32_t* kept = child.candidates.data();
    const KeyPacking& packing = candidates_.packing();
    const uint64_t* letters = candidates_.allLetters();
    for (; source < end; ++source) {
        *kept = *source;
        kept += packing.fits(letters[*source], child.remainder);
    }
    child.candidateCount = static_cast<size_t>(kept - child.candidates.data());
}

// The expansion of the node at `depth` as the plain walk makes it: every
// entry from the node's start on that is long enough counts as one try, and
// the candidates equal to its remainder are reported as anagrams on the way.
// The stop flag is polled before every anagram, so at most one anagram
// follows a stop request.
void AnagramSearch::expand(size_t depth) {
    const Node& node = path_[depth];
    uint32_t rank = node.startRank;
    for (uint32_t index = candidates_.firstEqual(node.remainder, node.firstCandidate);
         index != CandidateSet::kNone; index = candidates_.nextEqual(index)) {
        if (stopped()) return;
        const CandidateSet::Candidate& word = candidates_[index];
        countTries(word.rank - rank);  // the entries before it, which do not complete it
        report(depth, index);
        countTries(1);
        rank = word.rank + 1;
    }
    if (!stopped()) countTries(candidates_.eligibleCount() - rank);
}

// The node at `depth`, then the whole subtree of each of its children, the
// child made last first.
void AnagramSearch::searchDepthFirst(size_t depth) {
    expand(depth);
    const Node& node = path_[depth];
    if (node.levels < 2 || stopped()) return;
    if (node.record != kNone) {
        searchDepthFirstRecorded(depth);
        return;
    }
    for (size_t word = node.candidateCount; word-- > 0;) {
        if (stopped()) return;
        uint32_t candidate = node.candidates[word];
        uint32_t left = node.letterCount - candidates_[candidate].letterCount;
        if (left == 0) continue;  // an anagram, reported by the expansion
        uint32_t levels = subtrees_.levelsOf(left, node.levels - 1);
        ChildRecord child = childRecord(depth, candidate, left, levels);
        if (child.record != kNone && child.anagramLevels == 0) {
            countTries(child.tries);
            continue;
        }
        enterChild(depth, candidate, levels, child.record, child.startEdge);
        if (child.record == kNone && levels >= 2) narrow(depth, word);
        searchDepthFirst(depth + 1);
    }
}

// The children of a node with a record, last first: those without an
// anagram below are counted, the others walked.
void AnagramSearch::searchDepthFirstRecorded(size_t depth) {
    const Node& node = path_[depth];
    uint32_t unwalkedEnd = subtrees_.edgeCount(node.record);  // dead edges not counted yet end here
    for (uint32_t edge = unwalkedEnd; edge-- > node.startEdge;) {
        if (subtrees_.edge(node.record, edge).anagramLevels == 0) continue;
        countTries(subtrees_.allTries(node.record, edge + 1, unwalkedEnd));
        if (stopped()) return;
        unwalkedEnd = edge;
        enterEdge(depth, edge);
        searchDepthFirst(depth + 1);
        if (stopped()) return;  // no try after the last one the plain walk makes
    }
    countTries(subtrees_.allTries(node.record, node.startEdge, unwalkedEnd));
}

void AnagramSearch::searchBreadthFirst() {
    for (uint32_t depth = 0; depth < path_[0].levels && !stopped(); ++depth) expandLevel(0, depth);
}

// Expands the nodes at depth `target` below the node at `depth`, in the order
// of their words' list positions, as a first-in first-out queue takes them.
void AnagramSearch::expandLevel(size_t depth, size_t target) {
    if (depth == target) {
        expand(depth);
        return;
    }
    const Node& node = path_[depth];
    if (node.record != kNone) {
        expandLevelRecorded(depth, target);
        return;
    }
    // The target's level below the children.
    uint32_t below = static_cast<uint32_t>(target - depth - 1);
    for (size_t word = 0; word < node.candidateCount; ++word) {
        if (stopped()) return;
        uint32_t candidate = node.candidates[word];
        uint32_t left = node.letterCount - candidates_[candidate].letterCount;
        if (left == 0) continue;
        uint32_t levels = subtrees_.levelsOf(left, node.levels - 1);
        if (levels <= below) continue;  // no node of the target depth below it
        ChildRecord child;
        if (below > 0) {
            child = childRecord(depth, candidate, left, levels);
            if (child.record != kNone && (child.anagramLevels >> below & 1) == 0) {
                countTries(subtrees_.triesAt(child.record, below - 1, child.startEdge,
                                             subtrees_.edgeCount(child.record)));
                continue;
            }
        }
        enterChild(depth, candidate, levels, child.record, child.startEdge);
        if (below > 0 && child.record == kNone) narrow(depth, word);
        expandLevel(depth + 1, target);
    }
}

// The same below a node with a record: the children without an anagram at the
// target depth are counted, the others walked.
void AnagramSearch::expandLevelRecorded(size_t depth, size_t target) {
    const Node& node = path_[depth];
    const uint32_t below = static_cast<uint32_t>(target - depth - 1);
    const uint32_t bit = uint32_t{1} << below;
    const uint32_t edgeCount = subtrees_.edgeCount(node.record);
    uint32_t uncounted = node.startEdge;  // dead edges not counted yet start here
    for (uint32_t edge = node.startEdge; edge < edgeCount; ++edge) {
        if ((subtrees_.anagramLevelsFrom(node.record, edge) & bit) == 0) break;
        if ((subtrees_.edge(node.record, edge).anagramLevels & bit) == 0) continue;
        countTries(subtrees_.triesAt(node.record, below, uncounted, edge));
        if (stopped()) return;
        uncounted = edge + 1;
        enterEdge(depth, edge);
        expandLevel(depth + 1, target);
        if (stopped()) return;
    }
    countTries(subtrees_.triesAt(node.record, below, uncounted, edgeCount));
}

// Posts the anagram made of the words on the path to the node at `depth` and
// `last`, and raises the stop flag when it is the last one wanted.
void AnagramSearch::report(size_t depth, uint32_t last) {
    ++finder_.anagramCount;
    for (; textDepth_ < depth; ++textDepth_) {
        std::string_view word = candidates_[path_[textDepth_ + 1].word].text;
        char* end = text_.data() + textEnds_[textDepth_];
        if (!word.empty()) std::memcpy(end, word.data(), word.size());
        end[word.size()] = ' ';
        textEnds_[textDepth_ + 1] = textEnds_[textDepth_] + word.size() + 1;
    }
    AnagramText text(texts_.write({text_.data(), textEnds_[depth]}, candidates_[last].text,
                                  path_[depth].score + candidates_[last].cost));
    // Once posted the text is the window's; a post given up leaves it here.
    if (finder_.post(AnagramFound, reinterpret_cast<uintptr_t>(text.get()))) text.release();
    if (maxAnagramCount_ != 0 && finder_.anagramCount >= maxAnagramCount_) finder_.setStop(true);
}

// The tries that reach the progress period, once or more.
void AnagramSearch::tick(uint64_t tries) {
    uint32_t& counter = finder_.expansionCounter;
    while (tries >= progressPeriod_ - counter) {
        tries -= progressPeriod_ - counter;
        counter = 0;
        finder_.post(SearchProgress, ++finder_.progressTickCount);
        if (stopped()) return;
    }
    counter += static_cast<uint32_t>(tries);
}

uint32_t Finder::findAnagrams(const std::string& phrase) {
    anagramCount = expansionCounter = progressTickCount = 0;
    uint32_t start = platform::tickCount();
    LettersLeft left = lettersLeft(phrase, contained);
    if (left.outcome != LettersLeft::Fit) {
        post(PhraseRefused, 0);
        return 0;
    }
    bool outOfMemory = false;
    try {
        if (left.key.isEmpty()) {
            // The contained words took every letter.
            AnagramText text(newAnagramText(contained));
            ++anagramCount;
            if (post(AnagramFound, reinterpret_cast<uintptr_t>(text.get()))) text.release();
        } else {
            AnagramSearch(*this, left.key, contained.empty() ? "" : contained + ' ').run();
        }
    } catch (const std::bad_alloc&) {
        outOfMemory = true;  // ends as stopped; the search's lists went with it
    }
    post(outOfMemory || stopRequested() ? SearchStopped : SearchDone,
         platform::tickCount() - start);
    return anagramCount;
}

}  // namespace scramblo
