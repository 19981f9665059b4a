#include "interface_texts.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace scramblo::testing {
namespace {

constexpr InterfaceTexts kEnglish{
    "Scramblo Anagram Finder",
    "&Find",
    "&Stop",
    "&Options...",
    "&About...",
    "Sa&ve...",
    "Found:\n 0",
    "Found:\n%d",
    "Lexicon:\n%d",
    "Lexicon \"%s\"\r\nloading...",
    "Time elapsed:\n%d ms",
    "Sorry, can't handle this",
    "Sorry, choking on lexicon \"%s\"\n\nTried:\n%s",
    "Sorry, can't get started on this",
    "There is no word list to read at \"%s\".\n\nLooked for:\n%s",
    "Words holding characters that count\r\nas no letter, such as \u0142 or \u0151: %d",
    "As found",
    "Best first",
    "Sorry, the results could not be saved as \"%s\".\n\n%s",
    "&Must contain:",
    "&Leave out:",
    "&Words that fit:",
    "Left: %s (%d)",
    "No letters left: the words it must contain are the anagram",
    "Must contain letters that the phrase lacks: %s",
    "The words it must contain have no letters",
    "The phrase has no letters, or too many",
};

constexpr InterfaceTexts kDutch{
    "Scramblo Anagrammenzoeker",
    "&Zoeken",
    "&Stop",
    "&Opties...",
    "&Info...",
    "Opsl&aan...",
    "Gevonden:\n 0",
    "Gevonden:\n%d",
    "Woordenlijst:\n%d",
    "Woordenlijst \"%s\"\r\nwordt geladen...",
    "Zoektijd:\n%d ms",
    "Sorry, hiermee kan ik niet uit de voeten",
    "Sorry, woordenlijst \"%s\" zit mij niet lekker\n\nGeprobeerd:\n%s",
    "Sorry, hier kan ik niet aan beginnen",
    "Er is geen woordenlijst te lezen op \"%s\".\n\nGezocht naar:\n%s",
    "Woorden met tekens die niet als\r\nletter tellen, zoals \u0142 of \u0151: %d",
    "Zoals gevonden",
    "Beste eerst",
    "Sorry, de resultaten konden niet worden opgeslagen als \"%s\".\n\n%s",
    "&Moet bevatten:",
    "Weg&laten:",
    "&Woorden die passen:",
    "Over: %s (%d)",
    "Geen letters over: de woorden die erin moeten zijn het anagram",
    "Moet letters bevatten die de tekst mist: %s",
    "De woorden die erin moeten hebben geen letters",
    "De tekst heeft geen letters, of te veel",
};

}  // namespace

bool dutchInterface() {
    const char* lang = std::getenv("LANG");
    return lang != nullptr && std::strncmp(lang, "nl", 2) == 0;
}

const InterfaceTexts& expectedTexts() {
    return dutchInterface() ? kDutch : kEnglish;
}

std::string format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    std::vector<char> text(static_cast<size_t>(std::vsnprintf(nullptr, 0, format, measure)) + 1);
    va_end(measure);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    return text.data();
}

}  // namespace scramblo::testing
