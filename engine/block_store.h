// Append-only storage in large blocks: what is stored never moves, and
// growing never copies (a growing vector would, holding its contents twice
// meanwhile). Each run appended is contiguous.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace scramblo {

template <typename T>
class BlockStore {
  public:
    static constexpr size_t kLargestBlock = size_t{1} << 16;  // elements

    // Room for `count` elements in a row, to be written by the caller.
    T* append(size_t count) {
        if (count > left_) {
            // Small blocks first: most stores stay small.
            size_t size = std::max(count, nextBlock_);
            nextBlock_ = std::min(nextBlock_ * 2, kLargestBlock);
            blocks_.push_back(std::make_unique<T[]>(size));
            next_ = blocks_.back().get();
            left_ = size;
        }
        T* run = next_;
        next_ += count;
        left_ -= count;
        size_ += count;
        return run;
    }

    size_t size() const { return size_; }  // elements appended

  private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    T* next_ = nullptr;
    size_t left_ = 0;
    size_t size_ = 0;
    size_t nextBlock_ = 256;
};

}  // namespace scramblo
