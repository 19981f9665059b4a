// scramblo-cli --leave-out on the real English and Dutch lists, held to the
// search of the engine on the same list filtered beforehand by the rules,
// written out here on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli_process.h"
#include "reference_search.h"
#include "text/utf8.h"

namespace scramblo::cli::testing {
namespace {

using Lines = std::vector<std::string>;

// The command line is the same on Windows, and this needs no threads: it runs
// natively, and not under ThreadSanitizer.
#if !defined(_WIN32) && !defined(__SANITIZE_THREAD__)

bool isCapital(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x160 ||
           c == 0x152 || c == 0x17D || c == 0x178;
}

bool isSmall(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || c == 0x161 ||
           c == 0x153 || c == 0x17E || c == 0x192;
}

char32_t small(char32_t c) {
    if (!isCapital(c)) return c;
    if (c < 0x100) return c + 0x20;
    return c == 0x178 ? 0xFF : c + 1;
}

std::u32string characters(const std::string& line) {
    std::u32string out;
    for (size_t at = 0; at < line.size();) {
        char32_t c;
        at += readCharacter(line, at, c);
        out += c;
    }
    return out;
}

bool leftOut(const std::string& line, const std::set<std::string>& kinds) {
    std::u32string text = characters(line);
    auto has = [&](auto test) { return std::any_of(text.begin(), text.end(), test); };
    auto firstLetter = std::find_if(text.begin(), text.end(),
                                    [](char32_t c) { return isCapital(c) || isSmall(c); });
    size_t capitals = static_cast<size_t>(std::count_if(text.begin(), text.end(), isCapital));
    return (kinds.count("digits") && has([](char32_t c) { return c >= '0' && c <= '9'; })) ||
           (kinds.count("apostrophes") &&
            has([](char32_t c) { return c == '\'' || c == 0x2019; })) ||
           (kinds.count("abbreviations") && capitals >= 2 && !has(isSmall)) ||
           (kinds.count("names") && firstLetter != text.end() && isCapital(*firstLetter) &&
            has(isSmall));
}

// The list's lines that stay, in the list's order.
Lines kept(const Lines& lines, const std::set<std::string>& kinds) {
    Lines kept;
    for (const std::string& line : lines) {
        if (!line.empty() && !leftOut(line, kinds)) kept.push_back(line);
    }
    if (!kinds.count("case-variants")) return kept;
    std::unordered_set<std::u32string> inSmallLetters, taken;
    for (const std::string& line : kept) {
        std::u32string text = characters(line);
        if (std::none_of(text.begin(), text.end(), isCapital)) inSmallLetters.insert(text);
    }
    Lines variants;
    for (const std::string& line : kept) {
        std::u32string text = characters(line), lowered = text;
        std::transform(text.begin(), text.end(), lowered.begin(), small);
        bool stays =
            lowered == text || (!inSmallLetters.count(lowered) && taken.insert(lowered).second);
        if (stays) variants.push_back(line);
    }
    return variants;
}

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(LeaveOut, EachKindAndAllTogetherOnTheEnglishAndDutchLists) {
    const std::vector<std::string> kindsToTry{
        "digits",      "abbreviations", "names",
        "apostrophes", "case-variants", "digits,abbreviations,names,apostrophes,case-variants"};
    TempFolder folder;
    std::mt19937 random(7);
    for (std::string list : {"american-english", "dutch"}) {
        std::string path = "/usr/share/dict/" + list;
        Lines lines;
        std::ifstream file(path);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        ASSERT_GT(lines.size(), 100000u) << path;
        // Phrases of two short lines of the list, with capitals, digits and
        // apostrophes among them, so that each search is quick.
        Lines shortLines;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(shortLines),
                     [](const std::string& line) { return line.size() <= 7; });
        for (const std::string& kinds : kindsToTry) {
            std::set<std::string> names;
            for (size_t start = 0; start < kinds.size();) {
                size_t end = std::min(kinds.find(',', start), kinds.size());
                names.insert(kinds.substr(start, end - start));
                start = end + 1;
            }
            std::string filtered;
            for (const std::string& line : kept(lines, names)) filtered += line + "\n";
            std::string reference = folder.write("filtered.txt", filtered);
            for (int i = 0; i < 20; ++i) {
                std::string phrase = shortLines[random() % shortLines.size()] + " " +
                                     shortLines[random() % shortLines.size()];
                RunOptions utf8;
                utf8.locale = "C.UTF-8";
                Lines found =
                    runCli({"-l", path, "--leave-out", kinds, "-w", "3", phrase}, utf8).lines();
                EXPECT_EQ(sorted(found), sorted(scramblo::testing::referenceAnagrams(
                                             reference, phrase, 3, true, true)))
                    << list << " --leave-out " << kinds << " '" << phrase << "'";
            }
        }
    }
}

#endif

}  // namespace
}  // namespace scramblo::cli::testing
