#include "candidate_set.h"

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
        if (key.letterCount() < minWordLength) continue;
        // A word without letters is tried but never makes a child: it would
        // only repeat its parent, over and over.
        LetterKey rest;
        if (!key.isEmpty() && key.takeFrom(phrase, rest)) {
            candidates_.push_back({key.letterCount(), rank, *entries[position].word});
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
    complete_ = true;
}

}  // namespace scramblo
