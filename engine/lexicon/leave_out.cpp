#include "lexicon/leave_out.h"

#include "letters/latin_letters.h"
#include "text/utf8.h"

namespace scramblo {

uint32_t kindsOfLine(std::string_view line) {
    uint32_t kinds = 0;
    int capitals = 0, smallLetters = 0;
    bool firstLetterCapital = false;
    for (size_t at = 0; at < line.size();) {
        char32_t character;
        at += readCharacter(line, at, character);
        if (character >= '0' && character <= '9') {
            kinds |= LeaveOutDigits;
        } else if (character == '\'' || character == U'\u2019') {
            kinds |= LeaveOutApostrophes;  // the typewriter's and the typesetter's
        } else if (isCapitalLetter(character)) {
            if (capitals + smallLetters == 0) firstLetterCapital = true;
            ++capitals;
        } else if (isSmallLetter(character)) {
            ++smallLetters;
        }
    }
    if (capitals >= 2 && smallLetters == 0) kinds |= LeaveOutAbbreviations;
    if (firstLetterCapital && smallLetters > 0) kinds |= LeaveOutNames;
    return kinds;
}

}  // namespace scramblo
