// The candidates of one search grouped by their packed letters, so that the
// candidates that are exactly a node's remainder, its anagrams, come out of
// one hash probe. Most remainders have none, and that answer is the fastest.
// Built one candidate at a time, so that the search can poll its stop flag
// in between however many candidates there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace scramblo {

class ExactMatchIndex {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // Empties the index and makes room for this many candidates.
    void reset(size_t candidates);

    // Candidates are added in ascending order, each once.
    void add(uint32_t candidate, uint64_t letters);

    // The first candidate from `from` on with exactly these letters, or kNone.
    uint32_t first(uint64_t letters, uint32_t from) const;

    // The next candidate after this one with the same letters, or kNone.
    uint32_t next(uint32_t candidate) const { return next_[candidate]; }

  private:
    struct Slot {
        uint64_t letters = 0;
        uint32_t head = kNone;  // kNone: an empty slot
        uint32_t tail = kNone;
    };

    // The slot that holds these letters, or the empty one where they belong.
    size_t slotOf(uint64_t letters) const;

    std::vector<Slot> slots_;  // a power of two, at most half of them used
    std::vector<uint32_t> next_;
};

}  // namespace scramblo
