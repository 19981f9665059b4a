// The letters of Windows-1252 as the program counts them: every one of them
// counts as one or two plain letters a to z (Á as a, ß as ss, Œ as oe), and
// each capital has its small letter. Every other character is no letter,
// Latin letters that Windows-1252 lacks (ł, ő) included.
#pragma once

#include <string>
#include <string_view>

namespace scramblo {

// The plain lower-case letters that a character counts as; empty for no letter.
std::string_view plainLetters(char32_t codePoint);

bool isCapitalLetter(char32_t codePoint);
bool isSmallLetter(char32_t codePoint);

// The small letter of a capital; any other character unchanged.
char32_t smallLetterOf(char32_t codePoint);

// The UTF-8 text with its capitals made small.
std::string withSmallLetters(std::string_view utf8);

}  // namespace scramblo
