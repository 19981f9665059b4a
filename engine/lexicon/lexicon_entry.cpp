#include "lexicon/lexicon_entry.h"

namespace scramblo {
namespace {

constexpr uint32_t kLetterWeights[26] = {15,  84, 81, 19, 6,  142,  35,   43,    21,
                                         400, 53, 32, 53, 11, 20,   81,   10000, 18,
                                         28,  17, 62, 44, 76, 3333, 1250, 86};

}  // namespace

uint32_t wordWeight(std::string_view text) {
    uint32_t weight = 0;
    for (unsigned char c : text) {
        if (c >= 'a' && c <= 'z') {
            weight += kLetterWeights[c - 'a'];
        } else if (c >= 'A' && c <= 'Z') {
            weight += kLetterWeights[c - 'A'];
        }
    }
    return weight;
}

}  // namespace scramblo
