// The letters of a text as four prime products and a letter count: equal keys
// mean anagrams, divisibility means containment. Case, order, accents of
// Latin-1 vowels and c-cedilla, and every non-letter are ignored. A text
// without letters, or with more than a product word can hold, gets the empty key.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scramblo {

// The plain lower-case letter a byte counts as ('a' to 'z'), or 0 when the
// byte is no letter. Accented Latin-1 vowels and c-cedillas fold to their base.
char foldedLetter(unsigned char byte);

class LetterKey {
  public:
    LetterKey() = default;

    void clear();
    void assign(std::string_view text);

    bool isEmpty() const { return letterCount_ == 0; }
    uint32_t letterCount() const { return letterCount_; }
    uint32_t product(int word) const { return products_[word]; }

    // How often a plain lower-case letter ('a' to 'z') occurs in the key.
    uint32_t occurrences(char letter) const;

    // Called on a word's key: whether its letters are all in `remainder`; if so
    // `result` receives the letters left over, otherwise it is left as it was.
    bool takeFrom(const LetterKey& remainder, LetterKey& result) const;

    bool operator==(const LetterKey& other) const {
        return letterCount_ == other.letterCount_ && products_ == other.products_;
    }
    bool operator!=(const LetterKey& other) const { return !(*this == other); }

  private:
    std::array<uint32_t, 4> products_{1, 1, 1, 1};
    uint32_t letterCount_ = 0;
};

}  // namespace scramblo
