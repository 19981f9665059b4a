// Letter keys of arbitrary bytes: the key must hold exactly the plain letters
// of its characters (or be empty when they do not fit), and subtraction must
// undo concatenation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "letters/latin_letters.h"
#include "letters/letter_key.h"
#include "text/utf8.h"

using scramblo::LetterKey;

namespace {

// The key computed the slow way: count the letters, then multiply with an
// overflow check on wide integers.
std::array<uint32_t, 4> expectedProducts(std::string_view text, uint32_t& count, bool& fits) {
    static const uint8_t kWord[26] = {1, 0, 1, 2, 3, 2, 1, 0, 0, 1, 1, 2, 2,
                                      2, 1, 2, 0, 3, 3, 0, 0, 3, 3, 1, 0, 3};
    static const uint8_t kPrime[26] = {2, 11, 11, 3,  2, 13, 5, 5, 3, 13, 7,  5,  7,
                                       2, 3,  11, 17, 3, 5,  2, 7, 7, 11, 17, 13, 13};
    unsigned __int128 products[4] = {1, 1, 1, 1};
    count = 0;
    fits = true;
    for (size_t at = 0; at < text.size();) {
        char32_t character;
        at += scramblo::readCharacter(text, at, character);
        for (char letter : scramblo::plainLetters(character)) {
            ++count;
            int i = letter - 'a';
            if (products[kWord[i]] <= UINT32_MAX) products[kWord[i]] *= kPrime[i];
            if (products[kWord[i]] > UINT32_MAX) fits = false;
        }
    }
    return {static_cast<uint32_t>(products[0]), static_cast<uint32_t>(products[1]),
            static_cast<uint32_t>(products[2]), static_cast<uint32_t>(products[3])};
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    LetterKey key;
    key.assign(text);
    uint32_t count;
    bool fits;
    auto products = expectedProducts(text, count, fits);
    if (!fits || count == 0) {
        check(key.isEmpty() && key == LetterKey());
        return 0;
    }
    check(key.letterCount() == count);
    for (int i = 0; i < 4; ++i) check(key.product(i) == products[i]);

    // Split the text anywhere between two characters: the second half's key
    // is what the first half's key leaves of the whole.
    size_t cut = 0;
    for (size_t wanted = size == 0 ? 0 : data[0] % (size + 1); cut < wanted;) {
        char32_t character;
        cut += scramblo::readCharacter(text, cut, character);
    }
    LetterKey head, tail, rest;
    head.assign(text.substr(0, cut));
    tail.assign(text.substr(cut));
    check(head.takeFrom(key, rest));
    check(rest == tail);
    check(key.takeFrom(key, rest) && rest.isEmpty());
    return 0;
}
