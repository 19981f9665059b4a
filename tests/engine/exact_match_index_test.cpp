#include "search/exact_match_index.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace scramblo {
namespace {

// The candidates with these letters from `from` on, as the index lists them.
std::vector<uint32_t> listed(const ExactMatchIndex& index, uint64_t letters, uint32_t from) {
    std::vector<uint32_t> found;
    for (uint32_t c = index.first(letters, from); c != ExactMatchIndex::kNone; c = index.next(c))
        found.push_back(c);
    return found;
}

TEST(ExactMatchIndex, ListsTheCandidatesWithEqualLettersInAscendingOrder) {
    // Few distinct letters among many candidates: long groups and crowded slots.
    std::mt19937 random(4);
    for (size_t size : {0, 1, 7, 100, 5000}) {
        std::vector<uint64_t> letters(size);
        for (uint64_t& word : letters) word = (random() % (size / 3 + 1)) * 0x100000001u + 1;
        ExactMatchIndex index;
        index.reset(size);
        for (uint32_t c = 0; c < size; ++c) index.add(c, letters[c]);

        for (int probe = 0; probe < 200; ++probe) {
            uint64_t wanted = size != 0 && probe % 4 != 0 ? letters[random() % size] : random();
            uint32_t from = static_cast<uint32_t>(random() % (size + 1));
            std::vector<uint32_t> expected;
            for (uint32_t c = from; c < size; ++c) {
                if (letters[c] == wanted) expected.push_back(c);
            }
            EXPECT_EQ(listed(index, wanted, from), expected) << size << " " << wanted;
        }
    }
}

TEST(ExactMatchIndex, ResetForgetsEarlierCandidates) {
    ExactMatchIndex index;
    index.reset(2);
    index.add(0, 42);
    index.add(1, 42);
    index.reset(1);
    EXPECT_EQ(index.first(42, 0), ExactMatchIndex::kNone);
    index.add(0, 42);
    EXPECT_EQ(listed(index, 42, 0), std::vector<uint32_t>{0});
}

}  // namespace
}  // namespace scramblo
