// Room for a table that grows during one search and is filled at random: up
// to a bound, reserved at once but backed by the system only where it is
// touched, in large pages where the system offers them. What is taken is
// zeroed, never moves and is given back all at once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "platform/platform.h"

namespace scramblo {

class ReservedMemory {
  public:
    explicit ReservedMemory(size_t bytes)
        : memory_(static_cast<char*>(platform::reserveMemory(bytes))),
          size_(memory_ != nullptr ? bytes : 0) {}
    ~ReservedMemory() { platform::releaseMemory(memory_, size_); }
    ReservedMemory(const ReservedMemory&) = delete;
    ReservedMemory& operator=(const ReservedMemory&) = delete;

    // `count` zeroed elements in a row; null when they would pass the bound.
    template <typename T>
    T* take(size_t count) {
        static_assert(std::is_trivial_v<T>, "the memory is only zeroed");
        const size_t at = std::min((used_ + alignof(T) - 1) / alignof(T) * alignof(T), size_);
        if (count > (size_ - at) / sizeof(T)) return nullptr;
        used_ = at + count * sizeof(T);
        return reinterpret_cast<T*>(memory_ + at);
    }

  private:
    char* const memory_;
    const size_t size_;
    size_t used_ = 0;
};

}  // namespace scramblo
