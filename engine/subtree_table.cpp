#include "subtree_table.h"

#include <algorithm>

namespace scramblo {

SubtreeTable::SubtreeTable(const Finder& finder, const CandidateSet& candidates,
                           uint32_t childStartsAfterWord, uint32_t mostLetters, size_t mostBytes)
    : finder_(finder),
      candidates_(candidates),
      childStartsAfterWord_(childStartsAfterWord),
      mostBytes_(mostBytes),
      levelsByLetters_(mostLetters + 1, 1),
      slots_(1024),
      // Every level takes a letter at least, so the making goes no deeper.
      childCandidates_(kMostLetters + 1),
      edgesMade_(kMostLetters + 1),
      sumsMade_(kMostLetters + 1) {
    // Below a node every word takes at least the shortest candidate's letters,
    // and a node that is no anagram yet has letters left over.
    uint32_t shortest = candidates_.shortestWord();
    for (uint32_t letters = 1; shortest != 0 && letters <= mostLetters; ++letters)
        levelsByLetters_[letters] = (letters - 1) / shortest + 1;
}

uint32_t SubtreeTable::recordOf(uint64_t letters, uint32_t letterCount, uint32_t levels) {
    const Slot& slot = slots_[slotOf(letters, levels)];
    if (slot.levels != 0) return slot.record;
    if (letterCount > kMostLetters) return kNone;
    return make(letters, letterCount, levels, 0);
}

uint32_t SubtreeTable::make(uint64_t letters, uint32_t letterCount, uint32_t levels, size_t depth) {
    if (bytes() >= mostBytes_ || finder_.stopRequested()) return fail(letters, levels);
    std::vector<uint32_t>& children = childCandidates_[depth];
    children.clear();
    candidates_.appendFitting(letters, children);
    const size_t edgeCount = children.size();
    if (edgeCount > UINT16_MAX) return fail(letters, levels);  // its edges could not be told
    std::vector<Edge>& edges = edgesMade_[depth];
    std::vector<uint32_t>& sums = sumsMade_[depth];
    const size_t sumCount = (edgeCount + 1) * levels;
    if (edges.size() < edgeCount) edges.resize(edgeCount);
    if (sums.size() < sumCount) sums.resize(sumCount);
    std::fill(sums.data() + sumCount - levels, sums.data() + sumCount, 0);  // past the last edge
    // Last edge first, so that the sums over the edges from each one on grow as it goes.
    const uint32_t eligible = candidates_.eligibleCount();
    for (size_t index = edgeCount; index-- > 0;) {
        const uint32_t candidate = children[index];
        const CandidateSet::Candidate& word = candidates_[candidate];
        const uint64_t childLetters = letters - candidates_.letters(candidate);
        const uint32_t childLetterCount = letterCount - word.letterCount;
        const uint32_t childLevels = levelsOf(childLetterCount, levels - 1);
        const uint32_t childFirst = candidate + childStartsAfterWord_;
        Edge& edge = edges[index];
        edge = {kNone, 0, 0};
        const uint32_t* childSums = nullptr;
        if (childLevels < 2) {
            edge.anagramLevels = candidates_.firstEqual(childLetters, childFirst) != kNone;
        } else {
            const Slot& slot = slots_[slotOf(childLetters, childLevels)];
            uint32_t child = slot.levels != 0
                                 ? slot.record
                                 : make(childLetters, childLetterCount, childLevels, depth + 1);
            if (child == kNone) return fail(letters, levels);
            uint32_t childStart = startEdge(child, childFirst);
            edge.child = child;
            edge.childStart = static_cast<uint16_t>(childStart);
            edge.anagramLevels =
                static_cast<uint16_t>(anagramLevels(child, childStart, childFirst));
            // The child's sums past its anagram levels: the tries at each level below it.
            childSums = sumsFrom(records_[child], childStart) + 1;
        }
        const uint32_t* after = sums.data() + (index + 1) * levels;
        uint32_t* here = sums.data() + index * levels;
        here[0] = after[0] | edge.anagramLevels;
        // Level 0 below this node's children is their own expansion; level k
        // is level k - 1 below theirs.
        for (uint32_t level = 0; level + 1 < levels; ++level) {
            uint64_t tries = level == 0            ? eligible - word.rank - childStartsAfterWord_
                             : level < childLevels ? childSums[level - 1]
                                                   : 0;
            uint64_t sum = after[level + 1] + tries;
            if (sum > UINT32_MAX) return fail(letters, levels);
            here[level + 1] = static_cast<uint32_t>(sum);
        }
    }

    if (bytes() + edgeCount * (sizeof(Edge) + sizeof(uint32_t)) + sumCount * sizeof(uint32_t) >
        mostBytes_)
        return fail(letters, levels);
    Record record{};
    record.candidates = edgeCandidates_.append(children.data(), children.data() + edgeCount);
    record.edges = edges_.append(edges.data(), edges.data() + edgeCount);
    record.sums = sums_.append(sums.data(), sums.data() + sumCount);
    record.edgeCount = static_cast<uint32_t>(edgeCount);
    record.levels = levels;
    record.lastEqual = kNone;
    for (uint32_t equal = candidates_.firstEqual(letters, 0); equal != kNone;
         equal = candidates_.nextEqual(equal))
        record.lastEqual = equal;
    record.sampleStep = static_cast<uint32_t>((edgeCount + kSamples - 1) / kSamples);
    for (uint32_t sample = 0; sample < kSamples; ++sample) {
        size_t at = size_t{sample} * record.sampleStep;
        record.samples[sample] = at < edgeCount ? children[at] : kNone;
    }
    uint32_t made = static_cast<uint32_t>(records_.size());
    records_.push_back(record);
    remember(letters, levels, made);
    return made;
}

// Remembers that these letters and levels get no record, and answers so.
uint32_t SubtreeTable::fail(uint64_t letters, uint32_t levels) {
    remember(letters, levels, kNone);
    return kNone;
}

uint32_t SubtreeTable::startEdge(uint32_t record, uint32_t firstCandidate) const {
    const Record& r = records_[record];
    if (r.edgeCount == 0) return 0;
    // The samples, at hand in the record, narrow it to one stretch of candidates.
    uint32_t stretch = 0;
    for (uint32_t half = kSamples / 2; half != 0; half /= 2)
        stretch += r.samples[stretch + half] < firstCandidate ? half : 0;
    const uint32_t* first = r.candidates + stretch * r.sampleStep;
    const uint32_t* last = r.candidates + std::min(r.edgeCount, (stretch + 1) * r.sampleStep);
    return static_cast<uint32_t>(std::lower_bound(first, last, firstCandidate) - r.candidates);
}

uint64_t SubtreeTable::allTries(uint32_t record, uint32_t from, uint32_t to) const {
    const Record& r = records_[record];
    const uint32_t* start = sumsFrom(r, from);
    const uint32_t* end = sumsFrom(r, to);
    uint64_t tries = 0;
    for (uint32_t level = 1; level < r.levels; ++level) tries += start[level] - end[level];
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
