// Packs the letters of the keys that one phrase contains into a single 64-bit
// word, one field per letter of the phrase, each field just wide enough for
// the phrase's count of that letter. Containment is then one subtraction
// instead of four divisions: a field that would go below zero borrows from
// the field above it, so a key fits another exactly when the subtraction
// borrows across no field boundary.
//
// Why 64 bits always do: a letter counted c times takes bitlen(c) <= c * log2(p)
// bits for its prime p, and a key's product words stay below 2^32. Over the
// primes of one product word the best case is 13 bits, so a phrase needs at
// most 52.
//
// For keys contained in the phrase (everything a search meets) `fits` answers
// exactly as LetterKey::takeFrom, and subtracting gives the packed result.
#pragma once

#include <cstdint>
#include <string>

#include "letters/letter_key.h"

namespace scramblo {

class KeyPacking {
  public:
    explicit KeyPacking(const LetterKey& phrase);

    // `key` must be contained in the phrase.
    uint64_t pack(const LetterKey& key) const;

    bool fits(uint64_t word, uint64_t remainder) const {
        return (((remainder - word) ^ remainder ^ word) & boundaries_) == 0;
    }

    // The letters of the phrase, 'a' to 'z', each once; how often a packed key
    // holds one of them.
    const std::string& letters() const { return letters_; }
    uint32_t occurrences(uint64_t packed, char letter) const {
        int index = letter - 'a';
        return static_cast<uint32_t>(packed >> shift_[index] & mask_[index]);
    }

  private:
    uint8_t shift_[26] = {};  // by letter; letters the phrase lacks pack nothing
    uint64_t mask_[26] = {};  // the width of each letter's field
    std::string letters_;
    uint64_t boundaries_ = 0;  // the bit above each field, where its borrow lands
};

}  // namespace scramblo
