// What the search tree holds below a partial anagram, kept per remainder so
// that the search can pass over a subtree without an anagram in one step,
// counting its tries in bulk, instead of walking every node of it.
//
// A node's subtree depends only on its remainder, the number of levels it can
// still grow (limited by the maximum word count and by the letters left over)
// and where in the list its expansion starts. A record holds, for a remainder
// and a number of levels, every candidate that makes a child (one edge each,
// in list order) and for each child: at which levels below it anagrams are
// found, and the tries made at each level of its subtree, summed over the
// edges from that one to the last. A node that starts at a later candidate
// owns the edges from there on, so one record serves every node of its
// remainder.
//
// Records are made on first use, for remainders of a few letters only: those
// are the bulk of the tree, their records are small, and the nodes with more
// letters are few enough to be walked. The phrase itself gets one too, when
// its children have theirs: a breadth-first search then passes over the
// root's children without an anagram at the level of each pass, instead of
// looking up each child's record again. A record's edges are made last first,
// and only as far as the earliest start of a node that uses it: each edge
// needs its child's record made as far as that child starts, and about half
// of all edges are never needed. A record whose counts would not fit, or
// that would take more memory than the table may use, is not made, or not
// further than it fits; the search then walks those nodes.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

#include "platform/reserved_memory.h"
#include "search/candidate_set.h"

namespace scramblo {

class SubtreeTable {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;
    // The most letters of a remainder that gets a record, the phrase aside.
    static constexpr uint32_t kMostLetters = 12;
    // The most levels of a record: they fit the bits of an edge.
    static constexpr uint32_t kMostLevels = 16;
    static_assert(kMostLetters <= kMostLevels, "a record's levels are at most its letters");
    // The most memory of the table by default: its records with their
    // candidates, edges and sums, and the room that moved edges left (see store).
    static constexpr size_t kMostBytes = size_t{44} << 20;

    struct Edge {
        uint32_t child;       // the child's record; none when it cannot grow
        uint16_t childStart;  // the child's first edge in that record
        // Bit k: anagrams are found k levels below the child (0: by the child itself).
        uint16_t anagramLevels;
    };

    // `childStartsAfterWord`: 1 when entries may not repeat. `mostLetters`:
    // the phrase's letter count. The finder's stop flag is polled before each
    // record is made or made further: a stop request leaves the rest unmade.
    SubtreeTable(const Finder& finder, const CandidateSet& candidates,
                 uint32_t childStartsAfterWord, uint32_t mostLetters,
                 size_t mostBytes = kMostBytes);

    // The levels of a node with this many letters (at least 1) and at most
    // `most` levels (0: no limit): 1 for a node without children.
    uint32_t levelsOf(uint32_t letterCount, uint32_t most) const {
        uint32_t levels = levelsByLetters_[letterCount];
        return most != 0 && most < levels ? most : levels;
    }

    // Where a node's subtree is recorded: its record and first edge.
    struct Start {
        uint32_t record = kNone;
        uint32_t edge = 0;
    };
    // The start of a node with these letters and levels (at least 2) whose
    // expansion starts at `firstCandidate`, its record made now as far as
    // needed. Its record is kNone when there is no such record.
    Start startOf(uint64_t letters, uint32_t letterCount, uint32_t levels, uint32_t firstCandidate);

    // The candidate that makes each edge's child, kept apart for the search by candidate.
    const uint32_t* candidates(uint32_t record) const { return records_[record]->candidates; }
    const Edge& edge(uint32_t record, uint32_t index) const {
        const Record& r = *records_[record];
        assert(index >= r.madeFrom && index < r.edgeCount);
        return r.edges[index - r.storedFrom];
    }
    uint32_t edgeCount(uint32_t record) const { return records_[record]->edgeCount; }
    uint32_t levels(uint32_t record) const { return records_[record]->levels; }
    // The levels of a node's subtree where anagrams are found (bit 0: the node itself).
    uint32_t anagramLevels(uint32_t record, uint32_t startEdge, uint32_t firstCandidate) const {
        const Record& r = *records_[record];
        uint32_t own = r.lastEqual != kNone && r.lastEqual >= firstCandidate;
        return own | sumsOf(r, startEdge).anagramLevels() << 1;
    }
    // The anagram levels of the children of this edge and those after it.
    uint32_t anagramLevelsFrom(uint32_t record, uint32_t edge) const {
        return sumsOf(*records_[record], edge).anagramLevels();
    }

    // The tries at `level` below the children of edges [from, to): 0 for the
    // children themselves. Level at most levels - 2.
    uint64_t triesAt(uint32_t record, uint32_t level, uint32_t from, uint32_t to) const {
        const Record& r = *records_[record];
        return sumsOf(r, from).triesAt(level) - sumsOf(r, to).triesAt(level);
    }
    // The same over all levels.
    uint64_t allTries(uint32_t record, uint32_t from, uint32_t to) const;

  private:
    static constexpr uint32_t kSamples = 16;

    // A view of one row of a record's sums: over an edge and those after it,
    // the anagram levels of their children, and the tries at each level below
    // those children. A row holds the record's `levels` values: the levels
    // first, then the tries of levels 0 to levels - 2.
    class Sums {
      public:
        explicit Sums(uint32_t* row) : row_(row) {}
        // Bit k: anagrams are found k levels below the children.
        uint32_t anagramLevels() const { return row_[0]; }
        // Level 0: the children's own expansions.
        uint32_t triesAt(uint32_t level) const { return row_[1 + level]; }
        void setAnagramLevels(uint32_t levels) { row_[0] = levels; }
        void setTriesAt(uint32_t level, uint32_t tries) { row_[1 + level] = tries; }

      private:
        uint32_t* row_;
    };

    // Two whole cache lines: the lines of a child's record that the making
    // of an edge looks at.
    struct alignas(64) Record {
        uint64_t letters;
        const uint32_t* candidates;
        // The edges are made last first, into room that grows towards the
        // first: storedFrom <= madeFrom <= edgeCount. The edges from
        // `storedFrom` on have room in `edges`, and their rows and one past
        // the last (all zero) in `sums`; those from `madeFrom` on are made.
        Edge* edges;
        uint32_t* sums;
        uint32_t storedFrom;
        uint32_t edgeCount;
        uint32_t lastEqual;  // the last candidate equal to the remainder, or none
        uint32_t madeFrom;
        uint32_t sampleStep;
        uint16_t letterCount;
        uint8_t levels;
        bool stuck;  // it cannot be made further
        // Every sampleStep-th candidate, so that the search by candidate
        // looks at one short stretch of them.
        uint32_t samples[kSamples];
    };
    static_assert(sizeof(Record) == 128, "a record takes two cache lines");
    struct Slot {
        uint64_t letters = 0;
        uint32_t levels = 0;  // 0: an empty slot
        uint32_t record = kNone;
    };

    // The row of sums of the edge `edge`, which has room.
    static uint32_t* rowOf(const Record& record, uint32_t edge) {
        assert(record.storedFrom <= record.madeFrom && record.madeFrom <= record.edgeCount);
        assert(edge >= record.storedFrom && edge <= record.edgeCount);
        return record.sums + size_t{edge - record.storedFrom} * record.levels;
    }
    static Sums sumsOf(const Record& record, uint32_t edge) { return Sums(rowOf(record, edge)); }
    uint32_t recordOf(uint64_t letters, uint32_t letterCount, uint32_t levels);
    uint32_t make(uint64_t letters, uint32_t letterCount, uint32_t levels);
    bool reach(uint32_t record, uint32_t edge);
    bool store(uint32_t record, uint32_t edge);
    uint32_t startEdge(uint32_t record, uint32_t firstCandidate) const;
    size_t slotOf(uint64_t letters, uint32_t levels) const;
    void remember(uint64_t letters, uint32_t levels, uint32_t record);

    const Finder& finder_;
    const CandidateSet& candidates_;
    const uint32_t childStartsAfterWord_;
    const uint32_t phraseLetters_;
    std::vector<uint32_t> levelsByLetters_;
    // The records and their candidates, edges and sums. A record and its
    // candidates never move, so a record's number and its candidates' address
    // hold for good; its edges and sums move when store makes more room.
    ReservedMemory memory_;
    std::vector<Record*> records_;
    std::vector<Slot> slots_;  // a power of two, at most half used
    size_t usedSlots_ = 0;
    std::vector<uint32_t> fitting_;  // the candidates of the record being made
};

}  // namespace scramblo
