#include "anagram_search.h"

#include <algorithm>
#include <new>

#include "anagram_text.h"

namespace scramblo {
namespace {

// How many entries the candidate collection looks at between two looks at the
// stop flag, so that a stop ends the search quickly whatever the lexicon size.
constexpr uint32_t kStopPollInterval = 4096;

// Bits in the filter of the candidates' letters: a few per candidate of a
// usual search keeps most remainders without an anagram to one bit test.
constexpr int kLettersHashBits = 16;

bool byLettersThenEntry(const uint64_t& letters, uint32_t entry, const uint64_t& otherLetters,
                        uint32_t otherEntry) {
    return letters != otherLetters ? letters < otherLetters : entry < otherEntry;
}

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
      repeatEntries_(finder.repeatEntries),
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

// The root: the whole phrase, starting at the first entry, with every entry
// long enough to be tried that fits the phrase as a candidate. Answers false
// when stopped.
bool AnagramSearch::collectCandidates() {
    Node& root = path_[0];
    root.remainder = packing_.pack(phrase_);
    root.letterCount = phrase_.letterCount();
    uint32_t rank = 0;
    for (uint32_t position = 0; position < entries_.size(); ++position) {
        if (position % kStopPollInterval == 0 && stopped()) return false;
        const LetterKey& key = entries_[position].key;
        if (key.letterCount() < minWordLength_) continue;
        // A word without letters is tried but never makes a child: it would
        // only repeat its parent, over and over.
        LetterKey rest;
        if (!key.isEmpty() && key.takeFrom(phrase_, rest))
            root.candidates.push_back({packing_.pack(key), key.letterCount(), position, rank});
        ++rank;
    }
    eligibleCount_ = rank;
    for (const Candidate& word : root.candidates) {
        if (shortestWord_ == 0 || word.letterCount < shortestWord_)
            shortestWord_ = word.letterCount;
    }
    lettersSeen_.assign((size_t{1} << kLettersHashBits) / 64, 0);
    for (const Candidate& word : root.candidates) {
        uint32_t hash = lettersHash(word.letters);
        lettersSeen_[hash / 64] |= uint64_t{1} << (hash % 64);
    }
    byLetters_ = root.candidates;
    std::sort(byLetters_.begin(), byLetters_.end(), [](const Candidate& a, const Candidate& b) {
        return byLettersThenEntry(a.letters, a.entry, b.letters, b.entry);
    });
    return true;
}

uint32_t AnagramSearch::lettersHash(uint64_t letters) {
    return static_cast<uint32_t>((letters * 0x9E3779B97F4A7C15u) >> (64 - kLettersHashBits));
}

// False when no candidate has these letters; true may be a hash collision.
bool AnagramSearch::mayBeACandidate(uint64_t letters) const {
    uint32_t hash = lettersHash(letters);
    return (lettersSeen_[hash / 64] >> (hash % 64) & 1) != 0;
}

// Makes the node at depth + 1 whose last word is candidate `word` of the node
// at `depth`, without its candidates.
void AnagramSearch::makeChild(size_t depth, size_t word) {
    const Node& node = path_[depth];
    Node& child = path_[depth + 1];
    const Candidate& chosen = node.candidates[word];
    child.remainder = node.remainder - chosen.letters;
    child.letterCount = node.letterCount - chosen.letterCount;
    child.entry = chosen.entry;
    // A child starts at its own word, so that a word may be used again, or
    // just after it when entries may not repeat.
    uint32_t skip = repeatEntries_ ? 0 : 1;
    child.startEntry = chosen.entry + skip;
    child.startRank = chosen.rank + skip;
}

// Gives the child made from candidate `word` of the node at `depth` its
// candidates: those of the node, from the child's start on, that fit its remainder.
void AnagramSearch::narrow(size_t depth, size_t word) {
    const std::vector<Candidate>& from = path_[depth].candidates;
    Node& child = path_[depth + 1];
    child.candidates.clear();
    // Locals, so that the appends cannot make the compiler reload them.
    const LetterPacking packing = packing_;
    const uint64_t remainder = child.remainder;
    const Candidate* end = from.data() + from.size();
    for (const Candidate* c = from.data() + word + (repeatEntries_ ? 0 : 1); c < end; ++c) {
        if (packing.fits(c->letters, remainder)) child.candidates.push_back(*c);
    }
}

// The expansion of the node at `depth` as the plain walk makes it: every
// entry from the node's start on that is long enough counts as one try, and
// the candidates equal to its remainder are reported as anagrams on the way.
// The stop flag is polled before every anagram, so at most one anagram
// follows a stop request.
void AnagramSearch::expand(size_t depth) {
    const Node& node = path_[depth];
    uint32_t rank = node.startRank;
    if (node.letterCount >= shortestWord_ && mayBeACandidate(node.remainder)) {
        auto anagram =
            std::lower_bound(byLetters_.begin(), byLetters_.end(), node,
                             [](const Candidate& word, const Node& node) {
                                 return byLettersThenEntry(word.letters, word.entry, node.remainder,
                                                           node.startEntry);
                             });
        for (; anagram != byLetters_.end() && anagram->letters == node.remainder; ++anagram) {
            if (stopped()) return;
            countTries(anagram->rank - rank);  // the entries before it, which do not complete it
            report(depth, *anagram);
            countTries(1);
            rank = anagram->rank + 1;
        }
    }
    if (!stopped()) countTries(eligibleCount_ - rank);
}

// The node at `depth`, then the whole subtree of each of its children, the
// child made last first.
void AnagramSearch::searchDepthFirst(size_t depth) {
    expand(depth);
    const Node& node = path_[depth];
    if (!mayHaveChildren(node, depth)) return;
    for (size_t word = node.candidates.size(); word-- > 0;) {
        if (stopped()) return;
        if (completes(node, node.candidates[word])) continue;  // reported, nothing to grow
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
        uint32_t left = node.letterCount - node.candidates[word].letterCount;
        if (left <= wordsToCome * shortestWord_) continue;
        makeChild(depth, word);
        if (depth + 1 < target) narrow(depth, word);
        expandLevel(depth + 1, target);
    }
}

// Posts the anagram made of the words on the path to the node at `depth` and
// `last`, and raises the stop flag when it is the last one wanted.
void AnagramSearch::report(size_t depth, const Candidate& last) {
    ++finder_.anagramCount;
    text_.clear();
    for (size_t d = 1; d <= depth; ++d) {
        text_ += *entries_[path_[d].entry].word;
        text_ += ' ';
    }
    text_ += *entries_[last.entry].word;
    char* text = newAnagramText(text_);
    if (!finder_.post(AnagramFound, reinterpret_cast<uintptr_t>(text))) releaseAnagramText(text);
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
    setStop(false);
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
