// The texts the interface shows, in the language that the test's
// environment asks Wine for (LANG=nl_... gives Dutch, anything else English), so a test also checks
// that the platform picked the resources of that language.
#pragma once

#include <string>

namespace scramblo::testing {

struct InterfaceTexts {
    const char* title;
    const char* find;
    const char* stop;
    const char* options;
    const char* about;
    const char* save;
    const char* foundAtStart;  // the template's Found display
    const char* found;         // %d
    const char* lexicon;       // %d
    const char* loading;       // %s: the lexicon path
    const char* elapsed;       // %d
    const char* phraseRefused;
    const char* lexiconUnreadable;  // %s: the lexicon path, %s: the paths tried
    const char* workerNotStarted;
    const char* lexiconMissing;     // as lexiconUnreadable
    const char* foreignCharacters;  // %d
    const char* asFound;            // the tabs
    const char* bestFirst;
    const char* saveFailed;  // %s: the file, %s: the system's reason
    // Building an anagram by hand: the boxes' and the list's labels, and the
    // line of the letters left.
    const char* mustContain;
    const char* leaveOut;
    const char* wordsThatFit;
    const char* lettersLeft;  // %s: the letters, one space apart, %d: their count
    const char* noLettersLeft;
    const char* containedNotInPhrase;  // %s: the letters lacking, one space apart
    const char* containedWithoutLetters;
    const char* phraseWithoutLetters;
};

// The test's environment asks for Dutch.
bool dutchInterface();

const InterfaceTexts& expectedTexts();

// printf-style formatting of an expected text.
std::string format(const char* format, ...);

}  // namespace scramblo::testing
