#include "letters/letter_key.h"

namespace scramblo {
namespace {

struct LetterPrime {
    uint8_t word;
    uint8_t prime;
};

// Each letter has its own prime within its product word, so a product word
// factors uniquely into its letters.
constexpr LetterPrime kLetterPrimes[26] = {
    {1, 2},  {0, 11}, {1, 11}, {2, 3}, {3, 2},  {2, 13}, {1, 5},  {0, 5},  {0, 3},
    {1, 13}, {1, 7},  {2, 5},  {2, 7}, {2, 2},  {1, 3},  {2, 11}, {0, 17}, {3, 3},
    {3, 5},  {0, 2},  {0, 7},  {3, 7}, {3, 11}, {1, 17}, {0, 13}, {3, 13},
};

// Per byte: the folded letter, and that letter's product word and prime
// (prime 0 for a byte that is no letter).
struct ByteTable {
    char letter[256] = {};
    LetterPrime code[256] = {};

    constexpr ByteTable() {
        for (int c = 'a'; c <= 'z'; ++c) {
            letter[c] = static_cast<char>(c);
            letter[c - 'a' + 'A'] = static_cast<char>(c);
        }
        // Latin-1 rows: diaeresis, circumflex, acute, grave; upper case then lower.
        constexpr unsigned char kVowels[4][5] = {{0xC4, 0xCB, 0xCF, 0xD6, 0xDC},
                                                 {0xC2, 0xCA, 0xCE, 0xD4, 0xDB},
                                                 {0xC1, 0xC9, 0xCD, 0xD3, 0xDA},
                                                 {0xC0, 0xC8, 0xCC, 0xD2, 0xD9}};
        constexpr char kBase[5] = {'a', 'e', 'i', 'o', 'u'};
        for (const auto& row : kVowels) {
            for (int i = 0; i < 5; ++i) {
                letter[row[i]] = kBase[i];
                letter[row[i] + 0x20] = kBase[i];
            }
        }
        letter[0xC7] = 'c';
        letter[0xE7] = 'c';
        for (int byte = 0; byte < 256; ++byte) {
            if (letter[byte] != 0) code[byte] = kLetterPrimes[letter[byte] - 'a'];
        }
    }
};

constexpr ByteTable kBytes;

}  // namespace

char foldedLetter(unsigned char byte) {
    return kBytes.letter[byte];
}

void LetterKey::clear() {
    products_ = {1, 1, 1, 1};
    letterCount_ = 0;
}

void LetterKey::assign(std::string_view text) {
    clear();
    uint64_t products[4] = {1, 1, 1, 1};
    uint32_t count = 0;
    for (unsigned char byte : text) {
        LetterPrime code = kBytes.code[byte];
        if (code.prime == 0) continue;
        uint64_t product = products[code.word] * code.prime;
        if (product > UINT32_MAX) return;  // beyond capacity: the empty key
        products[code.word] = product;
        ++count;
    }
    if (count == 0) return;
    for (int i = 0; i < 4; ++i) products_[i] = static_cast<uint32_t>(products[i]);
    letterCount_ = count;
}

uint32_t LetterKey::occurrences(char letter) const {
    const LetterPrime& lp = kLetterPrimes[letter - 'a'];
    uint32_t count = 0;
    for (uint32_t product = products_[lp.word]; product % lp.prime == 0; product /= lp.prime)
        ++count;
    return count;
}

bool LetterKey::takeFrom(const LetterKey& remainder, LetterKey& result) const {
    for (int i = 0; i < 4; ++i) {
        if (remainder.products_[i] % products_[i] != 0) return false;
    }
    for (int i = 0; i < 4; ++i) result.products_[i] = remainder.products_[i] / products_[i];
    result.letterCount_ = remainder.letterCount_ - letterCount_;
    return true;
}

}  // namespace scramblo
