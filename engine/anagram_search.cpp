#include "anagram_search.h"

#include <algorithm>
#include <memory>
#include <new>
#include <numeric>

#include "anagram_text.h"

namespace scramblo {
namespace {

// How many entries or candidates the set-up handles between two looks at the
// stop flag, so that a stop ends the search quickly whatever the lexicon size.
constexpr uint32_t kStopPollInterval = 4096;

}  // namespace

AnagramSearch::AnagramSearch(Finder& finder, const LetterKey& phrase)
    : finder_(finder),
      entries_(finder.entryList),
      phrase_(phrase),
      packing_(phrase),
      minWordLength_(finder.minWordLength),
      maxWordCount_(finder.maxWordCount),
      maxAnagramCount_(finder.maxAnagramCount),
      breadthFirst_(finder.breadthFirst),
      childStartsAfterWord_(finder.repeatEntries ? 0 : 1),
      // A period of 0 ticks on every try, as 1 does.
      progressPeriod_(std::max(finder.progressPeriod, uint32_t{1})),
      // Every word has a letter, so no path is longer than the phrase.
      path_(phrase.letterCount() + 1) {}

void AnagramSearch::run() {
    if (!collectCandidates()) return;
    if (breadthFirst_) {
        searchBreadthFirst();
    } else {
        searchDepthFirst(0);
    }
}

// The candidates: every entry long enough to be tried that fits the phrase.
// They are the root's list. Answers false when stopped.
bool AnagramSearch::collectCandidates() {
    uint32_t rank = 0;
    for (uint32_t position = 0; position < entries_.size(); ++position) {
        if (position % kStopPollInterval == 0 && stopped()) return false;
        const LetterKey& key = entries_[position].key;
        if (key.letterCount() < minWordLength_) continue;
        // A word without letters is tried but never makes a child: it would
        // only repeat its parent, over and over.
        LetterKey rest;
        if (!key.isEmpty() && key.takeFrom(phrase_, rest)) {
            candidates_.push_back({key.letterCount(), position, rank});
            letters_.push_back(packing_.pack(key));
            if (shortestWord_ == 0 || key.letterCount() < shortestWord_)
                shortestWord_ = key.letterCount();
        }
        ++rank;
    }
    eligibleCount_ = rank;
    anagrams_.reset(candidates_.size());
    for (uint32_t candidate = 0; candidate < candidates_.size(); ++candidate) {
        if (candidate % kStopPollInterval == 0 && stopped()) return false;
        anagrams_.add(candidate, letters_[candidate]);
    }

    Node& root = path_[0];
    root.remainder = packing_.pack(phrase_);
    root.letterCount = phrase_.letterCount();
    root.candidates.resize(candidates_.size());
    std::iota(root.candidates.begin(), root.candidates.end(), 0);
    return true;
}

// Makes the node at depth + 1 whose last word is the `word`th candidate in
// the list of the node at `depth`, without a list of its own.
void AnagramSearch::makeChild(size_t depth, size_t word) {
    const Node& node = path_[depth];
    Node& child = path_[depth + 1];
    child.word = node.candidates[word];
    const Candidate& chosen = candidates_[child.word];
    child.remainder = node.remainder - letters_[child.word];
    child.letterCount = node.letterCount - chosen.letterCount;
    child.firstCandidate = child.word + childStartsAfterWord_;
    child.startRank = chosen.rank + childStartsAfterWord_;
}

// Gives that child its list: the candidates of its parent's list, from the
// child's start on, that fit its remainder.
void AnagramSearch::narrow(size_t depth, size_t word) {
    const std::vector<uint32_t>& from = path_[depth].candidates;
    std::vector<uint32_t>& to = path_[depth + 1].candidates;
    const uint32_t* source = from.data() + word + childStartsAfterWord_;
    const uint32_t* end = from.data() + from.size();
    // Every candidate is written, but only one that fits is kept: no branch to mispredict.
    to.resize(static_cast<size_t>(end - source));
    uint32_t* kept = to.data();
    const LetterPacking packing = packing_;
    const uint64_t remainder = path_[depth + 1].remainder;
    const uint64_t* letters = letters_.data();
    for (; source < end; ++source) {
        *kept = *source;
        kept += packing.fits(letters[*source], remainder);
    }
    to.resize(static_cast<size_t>(kept - to.data()));
}

// The expansion of the node at `depth` as the plain walk makes it: every
// entry from the node's start on that is long enough counts as one try, and
// the candidates equal to its remainder are reported as anagrams on the way.
// The stop flag is polled before every anagram, so at most one anagram
// follows a stop request.
void AnagramSearch::expand(size_t depth) {
    const Node& node = path_[depth];
    uint32_t rank = node.startRank;
    for (uint32_t index = anagrams_.first(node.remainder, node.firstCandidate);
         index != LettersIndex::kNone; index = anagrams_.next(index)) {
        if (stopped()) return;
        const Candidate& word = candidates_[index];
        countTries(word.rank - rank);  // the entries before it, which do not complete it
        report(depth, word);
        countTries(1);
        rank = word.rank + 1;
    }
    if (!stopped()) countTries(eligibleCount_ - rank);
}

// The expansion of a child with fewer letters than any candidate: all its
// tries fail.
void AnagramSearch::expandBareChild(const Candidate& word) {
    countTries(eligibleCount_ - word.rank - childStartsAfterWord_);
}

// The node at `depth`, then the whole subtree of each of its children, the
// child made last first.
void AnagramSearch::searchDepthFirst(size_t depth) {
    expand(depth);
    const Node& node = path_[depth];
    if (!mayHaveChildren(node, depth)) return;
    for (size_t word = node.candidates.size(); word-- > 0;) {
        if (stopped()) return;
        const Candidate& chosen = candidates_[node.candidates[word]];
        uint32_t left = node.letterCount - chosen.letterCount;
        if (left == 0) continue;  // an anagram, reported by the expansion
        if (left < shortestWord_) {
            expandBareChild(chosen);
            continue;
        }
        makeChild(depth, word);
        if (mayHaveChildren(path_[depth + 1], depth + 1)) narrow(depth, word);
        searchDepthFirst(depth + 1);
    }
}

void AnagramSearch::searchBreadthFirst() {
    for (size_t depth = 0;; ++depth) {
        deeperNodes_ = false;
        expandLevel(0, depth);
        if (!deeperNodes_ || stopped()) return;
    }
}

// Expands the nodes at depth `target` below the node at `depth`, in the order
// of their words' list positions, as a first-in first-out queue takes them.
void AnagramSearch::expandLevel(size_t depth, size_t target) {
    const Node& node = path_[depth];
    if (depth == target) {
        expand(depth);
        deeperNodes_ |= mayHaveChildren(node, depth);
        return;
    }
    // A node at the target depth has letters left after its words, and each
    // word still to come has at least the shortest candidate's letters.
    uint32_t wordsToCome = static_cast<uint32_t>(target - depth - 1);
    for (size_t word = 0; word < node.candidates.size(); ++word) {
        if (stopped()) return;
        const Candidate& chosen = candidates_[node.candidates[word]];
        uint32_t left = node.letterCount - chosen.letterCount;
        if (left <= wordsToCome * shortestWord_) continue;
        if (wordsToCome == 0 && left < shortestWord_) {
            expandBareChild(chosen);
            continue;
        }
        makeChild(depth, word);
        if (wordsToCome != 0) narrow(depth, word);
        expandLevel(depth + 1, target);
    }
}

// Posts the anagram made of the words on the path to the node at `depth` and
// `last`, and raises the stop flag when it is the last one wanted.
void AnagramSearch::report(size_t depth, const Candidate& last) {
    ++finder_.anagramCount;
    text_.clear();
    for (size_t d = 1; d <= depth; ++d) {
        text_ += *entries_[candidates_[path_[d].word].entry].word;
        text_ += ' ';
    }
    text_ += *entries_[last.entry].word;
    AnagramText text(newAnagramText(text_));
    // Once posted the text is the window's; a post given up leaves it here.
    if (finder_.post(AnagramFound, reinterpret_cast<uintptr_t>(text.get()))) text.release();
    if (maxAnagramCount_ != 0 && finder_.anagramCount >= maxAnagramCount_) finder_.setStop(true);
}

// Counts `tries` more entries tried: each time the counter reaches the
// progress period a progress tick is posted and the counter starts again.
void AnagramSearch::countTries(uint32_t tries) {
    uint32_t& counter = finder_.expansionCounter;
    while (tries >= progressPeriod_ - counter) {
        tries -= progressPeriod_ - counter;
        counter = 0;
        finder_.post(SearchProgress, ++finder_.progressTickCount);
        if (stopped()) return;
    }
    counter += tries;
}

uint32_t Finder::findAnagrams(const std::string& phrase) {
    anagramCount = expansionCounter = progressTickCount = 0;
    uint32_t start = platform::tickCount();
    LetterKey key;
    key.assign(phrase);
    if (key.isEmpty()) {
        post(PhraseRefused, 0);
        return 0;
    }
    bool outOfMemory = false;
    try {
        AnagramSearch(*this, key).run();
    } catch (const std::bad_alloc&) {
        outOfMemory = true;  // ends as stopped; the search's lists went with it
    }
    post(outOfMemory || stopRequested() ? SearchStopped : SearchDone,
         platform::tickCount() - start);
    return anagramCount;
}

}  // namespace scramblo
