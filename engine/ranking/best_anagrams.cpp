#include "ranking/best_anagrams.h"

#include "letters/latin_letters.h"

namespace scramblo {

bool BestAnagrams::offer(std::string_view text, uint32_t score) {
    Rank rank{score, offered_++};
    // Most anagrams of a large search rank below the worst kept: they cost a comparison.
    if (capacity_ == 0 || (kept_.size() == capacity_ && !(rank < kept_.rbegin()->first)))
        return false;
    std::string small = withSmallLetters(text);
    auto spelling = bySmallLetters_.find(small);
    if (spelling != bySmallLetters_.end()) {
        // Another spelling of a kept anagram: the better of the two stays.
        if (!(rank < spelling->second)) return false;
        kept_.erase(spelling->second);
        spelling->second = rank;
    } else {
        bySmallLetters_.emplace(small, rank);
        if (kept_.size() == capacity_) {
            auto worst = std::prev(kept_.end());
            bySmallLetters_.erase(worst->second.smallLetters);
            kept_.erase(worst);
        }
    }
    kept_.emplace(rank, Kept{std::string(text), std::move(small)});
    return true;
}

void BestAnagrams::clear() {
    offered_ = 0;
    kept_.clear();
    bySmallLetters_.clear();
}

std::vector<std::string> BestAnagrams::best() const {
    std::vector<std::string> texts;
    texts.reserve(kept_.size());
    for (const auto& [rank, kept] : kept_) texts.push_back(kept.text);
    return texts;
}

}  // namespace scramblo
