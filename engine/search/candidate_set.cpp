#include "search/candidate_set.h"

#include <algorithm>

#include "ranking/commonness.h"

namespace scramblo {
namespace {

// How many entries or candidates are handled between two looks at the stop
// flag, so that a stop ends the search quickly whatever the lexicon size.
constexpr uint32_t kStopPollInterval = 4096;

}  // namespace

CandidateSet::CandidateSet(const Finder& finder, const LetterKey& phrase, uint32_t minWordLength)
    : packing_(phrase) {
    const std::vector<LexiconEntry>& entries = finder.entryList;
    uint32_t rank = 0;
    for (uint32_t position = 0; position < entries.size(); ++position) {
        if (position % kStopPollInterval == 0 && finder.stopRequested()) return;
        const LetterKey& key = entries[position].key;
        // An excluded entry is passed over as if the list lacked it.
        if (key.letterCount() < minWordLength || finder.excluded.contains(entries[position]))
            continue;
        // A word without letters is tried but never makes a child: it would
        // only repeat its parent, over and over.
        LetterKey rest;
        if (!key.isEmpty() && key.takeFrom(phrase, rest)) {
            candidates_.push_back(
                {key.letterCount(), rank, *entries[position].word,
                 finder.commonness.costOf(*entries[position].word) + Commonness::kPerWord});
            letters_.push_back(packing_.pack(key));
            if (shortestWord_ == 0 || key.letterCount() < shortestWord_)
                shortestWord_ = key.letterCount();
        }
        ++rank;
    }
    eligibleCount_ = rank;
    index_.reset(candidates_.size());
    for (uint32_t candidate = 0; candidate < candidates_.size(); ++candidate) {
        if (candidate % kStopPollInterval == 0 && finder.stopRequested()) return;
        index_.add(candidate, letters_[candidate]);
    }
    rowWords_ = (candidates_.size() + 63) / 64;
    fitting_.resize(rowWords_);
    const std::string& phraseLetters = packing_.letters();
    for (char letter : phraseLetters) {
        firstRow_.push_back(rows_.size() / std::max<size_t>(rowWords_, 1));
        uint32_t most = phrase.occurrences(letter);
        size_t first = rows_.size();
        rows_.resize(first + (most + 1) * rowWords_, 0);
        for (uint32_t candidate = 0; candidate < candidates_.size(); ++candidate) {
            for (uint32_t count = packing_.occurrences(letters_[candidate], letter); count <= most;
                 ++count)
                rows_[first + count * rowWords_ + candidate / 64] |= uint64_t{1} << candidate % 64;
        }
    }
    complete_ = true;
}

size_t CandidateSet::fitting(uint64_t remainder, uint32_t* out) const {
    // Locals, so that the compiler need not fear that the bits written change
    // the rows or their length.
    const size_t words = rowWords_;
    uint64_t* fitting = fitting_.data();
    std::fill(fitting, fitting + words, ~uint64_t{0});
    const std::string& phraseLetters = packing_.letters();
    for (size_t letter = 0; letter < phraseLetters.size(); ++letter) {
        uint32_t count = packing_.occurrences(remainder, phraseLetters[letter]);
        const uint64_t* row = rows_.data() + (firstRow_[letter] + count) * words;
        for (size_t word = 0; word < words; ++word) fitting[word] &= row[word];
    }
    // The rows hold no bits past the last candidate. Each one is written, but
    // kept only when it is not the whole remainder: no branch to mispredict.
    const uint64_t* letters = letters_.data();
    uint32_t* kept = out;
    for (size_t word = 0; word < words; ++word) {
        for (uint64_t bits = fitting[word]; bits != 0; bits &= bits - 1) {
            uint32_t candidate = static_cast<uint32_t>(word * 64 + __builtin_ctzll(bits));
            *kept = candidate;
            kept += letters[candidate] != remainder;
        }
    }
    return static_cast<size_t>(kept - out);
}

}  // namespace scramblo
