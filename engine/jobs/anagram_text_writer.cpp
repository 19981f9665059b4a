#include "jobs/anagram_text_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>

namespace scramblo {
namespace {

constexpr size_t kLargestChunk = size_t{64} << 10;

// Until its writer seals it a chunk's count of unreleased texts starts this
// high, so that releases that come before the seal never bring it to 0.
constexpr uint64_t kOpen = uint64_t{1} << 62;

}  // namespace

// A chunk's header; each text in it follows the address of its chunk and its score.
struct AnagramTextWriter::Chunk {
    std::atomic<uint64_t> unreleased{kOpen};
};

namespace {

constexpr size_t kHeader =
    (sizeof(std::atomic<uint64_t>) + alignof(void*) - 1) / alignof(void*) * alignof(void*);

// Before each text: its chunk's address and its score.
constexpr size_t kBeforeText = sizeof(void*) + sizeof(uint32_t);

size_t roundUp(size_t bytes) {
    return (bytes + alignof(void*) - 1) / alignof(void*) * alignof(void*);
}

}  // namespace

char* AnagramTextWriter::write(std::string_view prefix, std::string_view last, uint32_t score) {
    size_t textBytes = prefix.size() + last.size() + 1;
    size_t needed = roundUp(kBeforeText + textBytes);
    if (chunk_ == nullptr || static_cast<size_t>(end_ - next_) < needed) {
        seal();
        size_t bytes = std::max(nextChunkBytes_, kHeader + needed);
        nextChunkBytes_ = std::min(nextChunkBytes_ * 2, kLargestChunk);
        char* block = static_cast<char*>(::operator new(bytes));
        chunk_ = new (block) Chunk;
        next_ = block + kHeader;
        end_ = block + bytes;
    }
    std::memcpy(next_, &chunk_, sizeof(void*));
    std::memcpy(next_ + sizeof(void*), &score, sizeof score);
    char* text = next_ + kBeforeText;
    // An empty view may have no address, which memcpy must not get.
    if (!prefix.empty()) std::memcpy(text, prefix.data(), prefix.size());
    if (!last.empty()) std::memcpy(text + prefix.size(), last.data(), last.size());
    text[textBytes - 1] = '\0';
    next_ += needed;
    ++written_;
    return text;
}

void AnagramTextWriter::release(const char* text) {
    if (text == nullptr) return;
    Chunk* chunk;
    std::memcpy(&chunk, text - kBeforeText, sizeof(void*));
    if (chunk->unreleased.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        chunk->~Chunk();
        ::operator delete(static_cast<void*>(chunk));
    }
}

uint32_t AnagramTextWriter::score(const char* text) {
    uint32_t score;
    std::memcpy(&score, text - sizeof score, sizeof score);
    return score;
}

void AnagramTextWriter::seal() {
    if (chunk_ == nullptr) return;
    Chunk* chunk = chunk_;
    chunk_ = nullptr;
    uint64_t open = kOpen - written_;
    written_ = 0;
    if (chunk->unreleased.fetch_sub(open, std::memory_order_acq_rel) == open) {
        chunk->~Chunk();
        ::operator delete(static_cast<void*>(chunk));
    }
}

}  // namespace scramblo
