#include "search/exact_match_index.h"

namespace scramblo {

void ExactMatchIndex::reset(size_t candidates) {
    size_t size = 2;
    while (size < 2 * candidates) size *= 2;
    slots_.assign(size, Slot());
    next_.assign(candidates, kNone);
}

void ExactMatchIndex::add(uint32_t candidate, uint64_t letters) {
    Slot& slot = slots_[slotOf(letters)];
    if (slot.head == kNone) {
        slot.letters = letters;
        slot.head = candidate;
    } else {
        next_[slot.tail] = candidate;
    }
    slot.tail = candidate;
}

uint32_t ExactMatchIndex::first(uint64_t letters, uint32_t from) const {
    uint32_t candidate = slots_[slotOf(letters)].head;
    while (candidate != kNone && candidate < from) candidate = next_[candidate];
    return candidate;
}

size_t ExactMatchIndex::slotOf(uint64_t letters) const {
    size_t mask = slots_.size() - 1;
    // Fibonacci hashing: the high half of the product mixes every bit of the letters.
    size_t slot = static_cast<size_t>((letters * 0x9E3779B97F4A7C15u) >> 32) & mask;
    while (slots_[slot].head != kNone && slots_[slot].letters != letters) slot = (slot + 1) & mask;
    return slot;
}

}  // namespace scramblo
