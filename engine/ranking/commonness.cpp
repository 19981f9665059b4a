#include "ranking/commonness.h"

#include <cmath>
#include <filesystem>

#include "letters/latin_letters.h"
#include "lexicon/text_line_reader.h"

namespace scramblo {

uint16_t Commonness::costOfRank(size_t rank) {
    return static_cast<uint16_t>(std::lround(16.0 * std::log2(static_cast<double>(rank) + 2.0)));
}

void Commonness::clear() {
    costs_.clear();
    words_.clear();
    unknownCost_ = costOfRank(0) + 64;
}

void Commonness::read(std::istream& file) {
    clear();
    TextLineReader reader(file);
    std::string_view line;
    size_t rank = 0;
    while (reader.nextLine(line)) {
        if (line.empty() || line[0] == '#') continue;
        // A word that comes again keeps its first rank, but still takes a place.
        uint16_t cost = costOfRank(rank++);
        std::string small = withSmallLetters(line);
        if (costs_.count(small) == 0) costs_.emplace(words_.emplace_back(std::move(small)), cost);
    }
    unknownCost_ = static_cast<uint16_t>(costOfRank(rank) + 64);
}

uint16_t Commonness::costOf(std::string_view word) const {
    std::string small = withSmallLetters(word);
    uint16_t capitals = small == word ? 0 : 1;
    auto found = costs_.find(small);
    return (found == costs_.end() ? unknownCost_ : found->second) + capitals;
}

std::string commonnessPathFor(const std::string& listPath) {
    namespace fs = std::filesystem;
    fs::path list = fs::u8path(listPath);
    return (list.parent_path() / (list.stem().u8string() + "-commonness.txt")).u8string();
}

}  // namespace scramblo
