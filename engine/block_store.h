// Append-only storage in large blocks: what is stored never moves, and
// growing never copies (a growing vector would, holding its contents twice
// meanwhile). Each run appended is contiguous.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace scramblo {

template <typename T>
class BlockStore {
  public:
    static constexpr size_t kLargestBlock = size_t{1} << 16;  // elements

    // A copy of [first, last), in a row; it stays where it is.
    const T* append(const T* first, const T* last) {
        std::vector<T>& block = roomFor(static_cast<size_t>(last - first));
        const T* run = block.data() + block.size();
        block.insert(block.end(), first, last);  // within its capacity: nothing moves
        return run;
    }

    // `count` value-initialised elements in a row, to be written later.
    T* append(size_t count) {
        std::vector<T>& block = roomFor(count);
        T* run = block.data() + block.size();
        block.resize(block.size() + count);
        return run;
    }

    size_t size() const { return size_; }  // elements appended

  private:
    // The block where `count` more elements fit.
    std::vector<T>& roomFor(size_t count) {
        if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < count) {
            // Small blocks first: most stores stay small.
            blocks_.emplace_back();
            blocks_.back().reserve(std::max(count, nextBlock_));
            nextBlock_ = std::min(nextBlock_ * 2, kLargestBlock);
        }
        size_ += count;
        return blocks_.back();
    }

    std::vector<std::vector<T>> blocks_;
    size_t size_ = 0;
    size_t nextBlock_ = 256;
};

}  // namespace scramblo
