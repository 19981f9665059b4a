#include "letters/letter_key.h"

#include "letters/latin_letters.h"
#include "text/utf8.h"

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

// Per ASCII byte: its letter's product word and prime; prime 0 for no letter.
struct AsciiTable {
    LetterPrime code[128] = {};
    constexpr AsciiTable() {
        for (int letter = 0; letter < 26; ++letter) {
            code['a' + letter] = kLetterPrimes[letter];
            code['A' + letter] = kLetterPrimes[letter];
        }
    }
};

constexpr AsciiTable kAscii;

// Multiplies a letter's prime into the products; false beyond capacity.
bool addLetter(const LetterPrime& code, uint64_t (&products)[4]) {
    uint64_t product = products[code.word] * code.prime;
    if (product > UINT32_MAX) return false;
    products[code.word] = product;
    return true;
}

}  // namespace

void LetterKey::clear() {
    products_ = {1, 1, 1, 1};
    letterCount_ = 0;
}

void LetterKey::assign(std::string_view text) {
    clear();
    uint64_t products[4] = {1, 1, 1, 1};
    uint32_t count = 0;
    // Nearly every character of a word list is ASCII: those go by the table.
    for (size_t at = 0; at < text.size();) {
        auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            ++at;
            const LetterPrime& code = kAscii.code[byte];
            if (code.prime == 0) continue;
            if (!addLetter(code, products)) return;  // beyond capacity: the empty key
            ++count;
            continue;
        }
        char32_t character;
        at += readCharacter(text, at, character);
        for (char letter : plainLetters(character)) {
            if (!addLetter(kLetterPrimes[letter - 'a'], products)) return;
            ++count;
        }
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

std::string LetterKey::letters() const {
    std::string letters;
    for (char letter = 'a'; letter <= 'z'; ++letter) letters.append(occurrences(letter), letter);
    return letters;
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
