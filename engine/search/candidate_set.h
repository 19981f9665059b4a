// The entries that one search can use: those long enough to be tried, and
// not excluded, whose letters fit the phrase, in list order, with their
// letters packed for that phrase and grouped so that the candidates equal to
// a remainder come out of one hash probe.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "jobs/finder.h"
#include "search/exact_match_index.h"
#include "search/key_packing.h"

namespace scramblo {

class CandidateSet {
  public:
    static constexpr uint32_t kNone = ExactMatchIndex::kNone;

    struct Candidate {
        uint32_t letterCount;
        uint32_t rank;          // entries long enough to be tried that come before it
        std::string_view text;  // its word, held by the finder's word set
        uint32_t cost;          // its entry's cost and the cost of a word
    };

    // Gathers the candidates among the finder's entries. Polls its stop flag
    // every few thousand entries and leaves the set incomplete when it is raised.
    CandidateSet(const Finder& finder, const LetterKey& phrase, uint32_t minWordLength);

    bool complete() const { return complete_; }

    size_t size() const { return candidates_.size(); }
    const Candidate& operator[](size_t candidate) const { return candidates_[candidate]; }
    uint64_t letters(size_t candidate) const { return letters_[candidate]; }
    const uint64_t* allLetters() const { return letters_.data(); }
    const KeyPacking& packing() const { return packing_; }
    uint64_t pack(const LetterKey& key) const { return packing_.pack(key); }

    // Entries long enough to be tried, candidates or not.
    uint32_t eligibleCount() const { return eligibleCount_; }
    // Letters of the shortest candidate; 0 when there is none.
    uint32_t shortestWord() const { return shortestWord_; }

    // Writes the candidates whose letters fit into `remainder` but are not
    // all of it to `out`, in list order, and answers how many. `out` has room
    // for every candidate.
    size_t fitting(uint64_t remainder, uint32_t* out) const;

    // The first candidate from `from` on whose letters are exactly these, then
    // the next ones; kNone when there is none.
    uint32_t firstEqual(uint64_t letters, uint32_t from) const {
        return index_.first(letters, from);
    }
    uint32_t nextEqual(uint32_t candidate) const { return index_.next(candidate); }

  private:
    const KeyPacking packing_;
    std::vector<Candidate> candidates_;  // in list order
    std::vector<uint64_t> letters_;      // by candidate, kept apart for narrowing
    ExactMatchIndex index_;
    // For each letter of the phrase and each count of it up to the phrase's:
    // a bit per candidate, set when the candidate holds that letter at most
    // so often. The candidates that fit a remainder are those set in the
    // rows of its counts of every letter.
    size_t rowWords_ = 0;           // 64 candidates a word
    std::vector<size_t> firstRow_;  // by letter of the phrase, in the packing's order
    std::vector<uint64_t> rows_;
    mutable std::vector<uint64_t> fitting_;
    uint32_t eligibleCount_ = 0;
    uint32_t shortestWord_ = 0;
    bool complete_ = false;
};

}  // namespace scramblo
