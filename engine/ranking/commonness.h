// How common the words of a word list are, as a cost per word: common words
// cost little, rare and unknown ones more. Read from a commonness file (see
// data/commonness/README.md): UTF-8, lines starting with # are comments, then
// one word per line, most common first.
//
// Costs are in sixteenths of a bit: a word at rank r (from 0) costs
// 16 log2(r + 2); a word the file lacks costs as much as one just past its
// last word, and 4 bits more. A spelling with a capital costs a sixteenth
// more than the same word in small letters, so that of the spellings of one
// anagram the one in small letters comes first.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>

namespace scramblo {

class Commonness {
  public:
    // What every word adds to an anagram's score besides its cost: 4 bits,
    // so that fewer words come first.
    static constexpr uint32_t kPerWord = 64;

    // Reads a commonness file, replacing what was read before.
    void read(std::istream& file);
    void clear();
    size_t size() const { return costs_.size(); }

    // The cost of a lexicon word, looked up by its small letters. Looked up
    // for the words a search or a person can use, not for every word loaded.
    uint16_t costOf(std::string_view word) const;

  private:
    std::deque<std::string> words_;                         // in small letters
    std::unordered_map<std::string_view, uint16_t> costs_;  // by words_
    uint16_t unknownCost_ = costOfRank(0) + 64;

    static uint16_t costOfRank(size_t rank);
};

// The commonness file that belongs to a word list: NAME-commonness.txt beside
// NAME.txt (any extension), as UTF-8 paths.
std::string commonnessPathFor(const std::string& listPath);

}  // namespace scramblo
