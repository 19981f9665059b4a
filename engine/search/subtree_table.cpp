#include "search/subtree_table.h"

#include <algorithm>

namespace scramblo {

SubtreeTable::SubtreeTable(const Finder& finder, const CandidateSet& candidates,
                           uint32_t childStartsAfterWord, uint32_t mostLetters, size_t mostBytes)
    : finder_(finder),
      candidates_(candidates),
      childStartsAfterWord_(childStartsAfterWord),
      phraseLetters_(mostLetters),
      levelsByLetters_(mostLetters + 1, 1),
      memory_(mostBytes),
      slots_(1024),
      fitting_(candidates.size()) {
    // Below a node every word takes at least the shortest candidate's letters,
    // and a node that is no anagram yet has letters left over.
    uint32_t shortest = candidates_.shortestWord();
    for (uint32_t letters = 1; shortest != 0 && letters <= mostLetters; ++letters)
        levelsByLetters_[letters] = (letters - 1) / shortest + 1;
}

SubtreeTable::Start SubtreeTable::startOf(uint64_t letters, uint32_t letterCount, uint32_t levels,
                                          uint32_t firstCandidate) {
    Start start;
    uint32_t record = recordOf(letters, letterCount, levels);
    if (record == kNone) return start;
    uint32_t edge = startEdge(record, firstCandidate);
    if (!reach(record, edge)) return start;
    start.record = record;
    start.edge = edge;
    return start;
}

// The record for these letters and levels, made now with none of its edges
// if needed; kNone when there is none.
uint32_t SubtreeTable::recordOf(uint64_t letters, uint32_t letterCount, uint32_t levels) {
    size_t slot = slotOf(letters, levels);
    if (slots_[slot].levels != 0) return slots_[slot].record;
    const bool recorded =
        letterCount <= kMostLetters || (letterCount == phraseLetters_ && levels <= kMostLevels);
    uint32_t made = recorded ? make(letters, letterCount, levels) : kNone;
    remember(letters, levels, made);
    return made;
}

uint32_t SubtreeTable::make(uint64_t letters, uint32_t letterCount, uint32_t levels) {
    if (finder_.stopRequested()) return kNone;
    const size_t edgeCount = candidates_.fitting(letters, fitting_.data());
    if (edgeCount > UINT16_MAX) return kNone;  // its edges could not be told apart
    Record* made = memory_.take<Record>(1);
    uint32_t* edgeCandidates = memory_.take<uint32_t>(edgeCount);
    uint32_t* sums = memory_.take<uint32_t>(levels);  // past the last edge: nothing
    if (made == nullptr || edgeCandidates == nullptr || sums == nullptr) return kNone;
    records_.push_back(made);
    Record& record = *made;
    record.sums = sums;
    std::copy(fitting_.data(), fitting_.data() + edgeCount, edgeCandidates);
    record.candidates = edgeCandidates;
    record.letters = letters;
    record.letterCount = static_cast<uint16_t>(letterCount);
    record.edgeCount = static_cast<uint32_t>(edgeCount);
    record.levels = static_cast<uint8_t>(levels);
    record.storedFrom = record.madeFrom = record.edgeCount;
    record.lastEqual = kNone;
    for (uint32_t equal = candidates_.firstEqual(letters, 0); equal != kNone;
         equal = candidates_.nextEqual(equal))
        record.lastEqual = equal;
    record.sampleStep = static_cast<uint32_t>((edgeCount + kSamples - 1) / kSamples);
    for (uint32_t sample = 0; sample < kSamples; ++sample) {
        size_t at = size_t{sample} * record.sampleStep;
        record.samples[sample] = at < edgeCount ? fitting_[at] : kNone;
    }
    return static_cast<uint32_t>(records_.size() - 1);
}

// Makes the record's edges from `edge` on, last first, and answers whether
// they are made. Each edge takes its row of sums from the row after it.
// The making of one edge stays inline here: as a function of its own it cost
// some 7 instructions more per edge, 1% of the search for "clint eastwood".
bool SubtreeTable::reach(uint32_t record, uint32_t edge) {
    Record& r = *records_[record];
    if (edge >= r.madeFrom) return true;
    if (r.stuck || finder_.stopRequested() || !store(record, edge)) return false;
    const uint32_t eligible = candidates_.eligibleCount();
    const uint32_t levels = r.levels;
    uint32_t index = r.madeFrom;
    bool made = true;
    while (made && index > edge) {
        --index;
        const uint32_t candidate = r.candidates[index];
        const CandidateSet::Candidate& word = candidates_[candidate];
        const uint64_t childLetters = r.letters - candidates_.letters(candidate);
        const uint32_t childLetterCount = r.letterCount - word.letterCount;
        const uint32_t childLevels = levelsOf(childLetterCount, levels - 1);
        const uint32_t childFirst = candidate + childStartsAfterWord_;
        Edge& next = r.edges[index - r.storedFrom];
        next = {kNone, 0, 0};
        Sums childSums(nullptr);  // from the child's start: only for a child that grows
        if (childLevels < 2) {
            next.anagramLevels = candidates_.firstEqual(childLetters, childFirst) != kNone;
        } else {
            Start child = startOf(childLetters, childLetterCount, childLevels, childFirst);
            if (child.record == kNone) {
                made = false;
                break;
            }
            next.child = child.record;
            next.childStart = static_cast<uint16_t>(child.edge);
            next.anagramLevels =
                static_cast<uint16_t>(anagramLevels(child.record, child.edge, childFirst));
            childSums = sumsOf(*records_[child.record], child.edge);
        }
        uint32_t* row = rowOf(r, index);
        Sums here(row), after(row + levels);
        here.setAnagramLevels(after.anagramLevels() | next.anagramLevels);
        // Level 0 below the children is their own expansions, and level k is
        // level k - 1 below the child's children (none past the child's levels).
        for (uint32_t level = 0; level + 1 < levels; ++level) {
            uint64_t tries = level == 0            ? eligible - word.rank - childStartsAfterWord_
                             : level < childLevels ? childSums.triesAt(level - 1)
                                                   : 0;
            uint64_t sum = after.triesAt(level) + tries;
            if (sum > UINT32_MAX) {
                made = false;
                break;
            }
            here.setTriesAt(level, static_cast<uint32_t>(sum));
        }
    }
    r.madeFrom = made ? index : index + 1;
    r.stuck = !made;
    return made;
}

// Makes room for the record's edges from `edge` on, moving those made: at
// least twice the room it had, so that a record met again and again from
// ever earlier starts is moved only a few times. Answers whether it fits.
// The room it leaves stays taken, counted against the memory bound: as the
// room at least doubles each time, a record's old rooms together take less
// than its present one.
bool SubtreeTable::store(uint32_t record, uint32_t edge) {
    Record& r = *records_[record];
    if (edge >= r.storedFrom) return true;
    const uint32_t stored = r.edgeCount - r.storedFrom;
    const uint32_t from = std::min(edge, r.edgeCount - std::min(r.edgeCount, 2 * stored));
    const size_t edgeCount = r.edgeCount - from;
    Edge* edges = memory_.take<Edge>(edgeCount);
    uint32_t* sums = memory_.take<uint32_t>((edgeCount + 1) * r.levels);
    if (edges == nullptr || sums == nullptr) return false;
    const size_t made = r.edgeCount - r.madeFrom;
    std::copy(r.edges + (r.madeFrom - r.storedFrom), r.edges + stored, edges + (edgeCount - made));
    std::copy(rowOf(r, r.madeFrom), rowOf(r, r.edgeCount) + r.levels,
              sums + size_t{r.madeFrom - from} * r.levels);
    r.edges = edges;
    r.sums = sums;
    r.storedFrom = from;
    return true;
}

uint32_t SubtreeTable::startEdge(uint32_t record, uint32_t firstCandidate) const {
    const Record& r = *records_[record];
    // The samples, at hand in the record, narrow it to the candidates between
    // the last one before the start and the next sample: none at all in a
    // record of a few edges, whose samples are all its candidates.
    uint32_t stretch = 0;
    for (uint32_t half = kSamples / 2; half != 0; half /= 2)
        stretch += r.samples[stretch + half] < firstCandidate ? half : 0;
    if (r.samples[stretch] >= firstCandidate) return 0;  // no candidate before the start
    const uint32_t* first = r.candidates + stretch * r.sampleStep + 1;
    const uint32_t* last = r.candidates + std::min(r.edgeCount, (stretch + 1) * r.sampleStep);
    return static_cast<uint32_t>(std::lower_bound(first, last, firstCandidate) - r.candidates);
}

uint64_t SubtreeTable::allTries(uint32_t record, uint32_t from, uint32_t to) const {
    const Record& r = *records_[record];
    const Sums start = sumsOf(r, from), end = sumsOf(r, to);
    uint64_t tries = 0;
    for (uint32_t level = 0; level + 1 < r.levels; ++level)
        tries += start.triesAt(level) - end.triesAt(level);
    return tries;
}

size_t SubtreeTable::slotOf(uint64_t letters, uint32_t levels) const {
    size_t mask = slots_.size() - 1;
    // Fibonacci hashing: the high half of the product mixes every bit.
    size_t slot = static_cast<size_t>(((letters + levels) * 0x9E3779B97F4A7C15u) >> 32) & mask;
    while (slots_[slot].levels != 0 &&
           (slots_[slot].letters != letters || slots_[slot].levels != levels))
        slot = (slot + 1) & mask;
    return slot;
}

void SubtreeTable::remember(uint64_t letters, uint32_t levels, uint32_t record) {
    if (2 * (usedSlots_ + 1) > slots_.size()) {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.levels != 0) slots_[slotOf(slot.letters, slot.levels)] = slot;
        }
    }
    slots_[slotOf(letters, levels)] = {letters, levels, record};
    ++usedSlots_;
}

}  // namespace scramblo
