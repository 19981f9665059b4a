#include "search/key_packing.h"

namespace scramblo {
namespace {

int bitLength(uint32_t value) {
    int bits = 0;
    for (; value != 0; value >>= 1) ++bits;
    return bits;
}

}  // namespace

KeyPacking::KeyPacking(const LetterKey& phrase) {
    int shift = 0;
    for (int letter = 0; letter < 26; ++letter) {
        int width = bitLength(phrase.occurrences(static_cast<char>('a' + letter)));
        if (width == 0) continue;
        letters_ += static_cast<char>('a' + letter);
        mask_[letter] = (uint64_t{1} << width) - 1;
        shift_[letter] = static_cast<uint8_t>(shift);
        shift += width;
        boundaries_ |= uint64_t{1} << shift;
    }
}

uint64_t KeyPacking::pack(const LetterKey& key) const {
    uint64_t packed = 0;
    for (char letter : letters_)
        packed |= uint64_t{key.occurrences(letter)} << shift_[letter - 'a'];
    return packed;
}

}  // namespace scramblo
