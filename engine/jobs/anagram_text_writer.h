// Makes the texts of one worker's anagrams, packed into shared chunks instead
// of one heap block each. Every text is released on its own, on any thread,
// with AnagramTextWriter::release (releaseAnagramText): a chunk is freed when
// its writer has moved on from it and its last text is released. Each text
// carries its anagram's score, just before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scramblo {

class AnagramTextWriter {
  public:
    AnagramTextWriter() = default;
    // Texts already made stay valid until each is released.
    ~AnagramTextWriter() { seal(); }
    AnagramTextWriter(const AnagramTextWriter&) = delete;
    AnagramTextWriter& operator=(const AnagramTextWriter&) = delete;

    // A new zero-terminated text: `prefix` followed by `last`. Throws
    // std::bad_alloc when memory runs out.
    char* write(std::string_view prefix, std::string_view last, uint32_t score);

    static void release(const char* text);
    static uint32_t score(const char* text);

  private:
    struct Chunk;

    // Lets go of the current chunk: from now on its texts alone keep it.
    void seal();

    Chunk* chunk_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t written_ = 0;           // texts written into the current chunk
    size_t nextChunkBytes_ = 512;  // small at first: most searches find few anagrams
};

}  // namespace scramblo
