// The letters of a UTF-8 text as four prime products and a letter count:
// equal keys mean anagrams, divisibility means containment. Each letter of
// Windows-1252 counts as its plain letters (see latin_letters.h); case, order
// and every other character are ignored. A text without letters, or with more
// than a product word can hold, gets the empty key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace scramblo {

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
    // The key's plain letters from 'a' to 'z', each as often as it occurs: a
    // text whose key is this key.
    std::string letters() const;

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
