// The best anagrams of a search so far: the `capacity` lowest scores, ties
// in the order found. Spellings of one anagram that differ only in case count
// as one, shown in the spelling with the lowest score (the first of them on
// a tie). Memory grows with the capacity, never with the anagrams offered.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scramblo {

class BestAnagrams {
  public:
    explicit BestAnagrams(size_t capacity) : capacity_(capacity) {}

    // The next anagram as found, with its score. Answers whether the best changed.
    bool offer(std::string_view text, uint32_t score);
    void clear();

    // Best first.
    std::vector<std::string> best() const;
    size_t capacity() const { return capacity_; }

  private:
    struct Rank {
        uint32_t score;
        uint64_t found;  // the order found
        bool operator<(const Rank& other) const {
            return score != other.score ? score < other.score : found < other.found;
        }
    };
    struct Kept {
        std::string text;
        std::string smallLetters;
    };

    size_t capacity_;
    uint64_t offered_ = 0;
    std::map<Rank, Kept> kept_;
    std::unordered_map<std::string, Rank> bySmallLetters_;
};

}  // namespace scramblo
