// The options that other anagram finders offer, checked against a plain
// enumeration of every combination of lexicon words on a small lexicon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli_process.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scramblo::cli::testing {
namespace {

struct Query {
    std::string phrase;
    uint32_t minLength = 3;
    uint32_t maxLength = 0;  // 0: no limit
    uint32_t maxWords = 0;   // 0: no limit
    bool noRepeat = false;
    std::string contain;
    std::vector<std::string> excluded;

    std::vector<std::string> arguments() const {
        std::vector<std::string> arguments{"-m",           std::to_string(minLength),
                                           "--max-length", std::to_string(maxLength),
                                           "-w",           std::to_string(maxWords)};
        if (noRepeat) arguments.push_back("--no-repeat");
        if (!contain.empty()) arguments.insert(arguments.end(), {"-c", contain});
        for (const std::string& word : excluded) arguments.insert(arguments.end(), {"-x", word});
        arguments.push_back(phrase);
        return arguments;
    }
};

// The letters of ASCII text in lower case, sorted: equal for anagrams.
std::string letters(const std::string& text) {
    std::string letters;
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::sort(letters.begin(), letters.end());
    return letters;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A line with its words in sorted order, after the contained text.
std::string normalized(const std::string& line, const std::string& contain) {
    std::string rest = line;
    if (!contain.empty()) {
        if (line == contain) return line;
        if (line.rfind(contain + " ", 0) != 0) return "(no '" + contain + "' first) " + line;
        rest = line.substr(contain.size() + 1);
    }
    std::istringstream stream(rest);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    std::sort(words.begin(), words.end());
    std::string out = contain;
    for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
    return out;
}

// Every multiset (every set, without repeats) of usable lexicon words whose
// letters are those of the phrase less those of the contained text.
std::vector<std::string> enumerate(const std::vector<std::string>& lexicon, const Query& query) {
    std::vector<std::string> usable;
    for (const std::string& word : lexicon) {
        size_t count = letters(word).size();
        bool excluded =
            std::any_of(query.excluded.begin(), query.excluded.end(),
                        [&](const std::string& x) { return equalIgnoringCase(x, word); });
        if (count >= query.minLength && (query.maxLength == 0 || count <= query.maxLength) &&
            !excluded)
            usable.push_back(word);
    }
    std::string target;
    std::string phrase = letters(query.phrase), contained = letters(query.contain);
    std::set_difference(phrase.begin(), phrase.end(), contained.begin(), contained.end(),
                        std::back_inserter(target));
    if (target.empty()) return {query.contain};

    std::vector<std::string> found, chosen;
    std::function<void(size_t, const std::string&)> extend = [&](size_t first,
                                                                 const std::string& rest) {
        if (rest.empty()) {
            std::string line = query.contain;
            for (const std::string& word : chosen) line += (line.empty() ? "" : " ") + word;
            found.push_back(normalized(line, query.contain));
            return;
        }
        if (query.maxWords != 0 && chosen.size() == query.maxWords) return;
        for (size_t i = first; i < usable.size(); ++i) {
            std::string word = letters(usable[i]), smaller;
            if (!std::includes(rest.begin(), rest.end(), word.begin(), word.end())) continue;
            std::set_difference(rest.begin(), rest.end(), word.begin(), word.end(),
                                std::back_inserter(smaller));
            chosen.push_back(usable[i]);
            extend(query.noRepeat ? i + 1 : i, smaller);
            chosen.pop_back();
        }
    };
    extend(0, target);
    std::sort(found.begin(), found.end());
    return found;
}

class PeerOptions : public ::testing::Test {
  protected:
    // The program's lines for the query, normalized and sorted, against the enumeration's.
    void expectLikeEnumeration(const Query& query) {
        std::vector<std::string> arguments = query.arguments();
        arguments.insert(arguments.begin(), {"-l", lexiconPath_});
        ProcessResult result = runCli(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> lines;
        for (const std::string& line : result.lines())
            lines.push_back(normalized(line, query.contain));
        std::sort(lines.begin(), lines.end());
        std::vector<std::string> expected = enumerate(lexicon_, query);
        EXPECT_EQ(lines, expected) << "for " << query.phrase;
        EXPECT_FALSE(expected.empty()) << "a query that shows nothing: " << query.phrase;
    }

    const std::vector<std::string> lexicon_{
        "tin", "nit",    "Tin",    "ten",    "net",   "en",   "in",  "le",   "sit",   "its",   "st",
        "lis", "listen", "silent", "tinsel", "inlet", "lent", "ins", "snit", "stint", "tints", "e"};
    const std::vector<std::string> phrases_{"listen", "tinsel tin", "tintin net", "nine lets"};

  private:
    TempFolder directory_;
    std::string lexiconPath_ = directory_.write("lexicon.txt", [this] {
        std::string bytes;
        for (const std::string& word : lexicon_) bytes += word + "\n";
        return bytes;
    }());
};

TEST_F(PeerOptions, DefaultsLeaveTheSearchAsItIs) {
    for (const std::string& phrase : phrases_) {
        Query query;
        query.phrase = phrase;
        query.minLength = 1;
        expectLikeEnumeration(query);
    }
}

TEST_F(PeerOptions, NoRepeatUsesEachEntryOnce) {
    for (const std::string& phrase : phrases_) {
        for (uint32_t minLength : {1u, 2u}) {
            Query query;
            query.phrase = phrase;
            query.minLength = minLength;
            query.noRepeat = true;
            expectLikeEnumeration(query);
        }
    }
}

TEST_F(PeerOptions, MaxLengthLeavesOutLongerWords) {
    for (const std::string& phrase : phrases_) {
        for (uint32_t maxLength : {3u, 5u}) {
            Query query;
            query.phrase = phrase;
            query.minLength = 1;
            query.maxLength = maxLength;
            expectLikeEnumeration(query);
        }
    }
}

TEST_F(PeerOptions, ExcludeLeavesOutLinesIgnoringCase) {
    for (const std::string& phrase : phrases_) {
        Query query;
        query.phrase = phrase;
        query.minLength = 2;
        query.excluded = {"TIN", "Listen", "s"};
        expectLikeEnumeration(query);
    }
}

TEST_F(PeerOptions, ContainTakesItsLettersFromThePhrase) {
    for (const char* contain : {"tin", "Ten!", "ten st", "tints", "tints net"}) {
        Query query;
        query.phrase = "tints net";
        query.minLength = 1;
        query.contain = contain;
        expectLikeEnumeration(query);
    }
}

TEST_F(PeerOptions, AllTogether) {
    Query query;
    query.phrase = "tintin tinsel nets";
    query.minLength = 2;
    query.maxLength = 5;
    query.maxWords = 4;
    query.noRepeat = true;
    query.contain = "tin";
    query.excluded = {"NET", "lis"};
    expectLikeEnumeration(query);
}

#if !defined(_WIN32) && !defined(__SANITIZE_THREAD__)

std::vector<std::string> linesOf(const std::string& command) {
    std::vector<std::string> lines;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[1024];
        while (std::fgets(line, sizeof line, pipe) != nullptr) {
            std::string word(line);
            while (!word.empty() && (word.back() == '\n' || word.back() == ' ')) word.pop_back();
            for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (!word.empty()) lines.push_back(word);
        }
        pclose(pipe);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// --words lists what `an -w` and `wordplay -lx -v` list, the word finders of
// two other programs, on Debian's English and Dutch lists reduced to lower-case
// words of a to z, for random phrases: 10 a list, or as many as
// SCRAMBLO_PEER_PHRASES asks (bench/words-differential asks for 100).
TEST(PeerWords, AreTheWordsThatAnAndWordplayList) {
    const std::string an = "/usr/games/an", wordplay = "/usr/games/wordplay";
    if (access(an.c_str(), X_OK) != 0 || access(wordplay.c_str(), X_OK) != 0)
        GTEST_SKIP() << "an or wordplay is not installed";
    const char* asked = std::getenv("SCRAMBLO_PEER_PHRASES");
    const int phrases = asked != nullptr ? std::atoi(asked) : 10;
    TempFolder folder;
    std::mt19937 random(11);
    for (std::string list : {"american-english", "dutch"}) {
        std::ifstream file("/usr/share/dict/" + list);
        std::string words;
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            if (!line.empty() && std::all_of(line.begin(), line.end(),
                                             [](char c) { return c >= 'a' && c <= 'z'; })) {
                words += line + "\n";
                lines.push_back(line);
            }
        }
        std::string path = folder.write(list + ".txt", words);
        for (int i = 0; i < phrases; ++i) {
            std::string phrase = lines[random() % lines.size()] + lines[random() % lines.size()];
            uint32_t minLength = 1 + random() % 4;
            std::string m = std::to_string(minLength);
            std::vector<std::string> ours = linesOf(SCRAMBLO_CLI_PATH " --words -m " + m + " -l " +
                                                    path + " " + phrase + " 2>/dev/null");
            EXPECT_EQ(ours, linesOf(an + " -w -m " + m + " -d " + path + " " + phrase))
                << list << " -m " << m << " " << phrase;
            EXPECT_EQ(ours, linesOf(wordplay + " " + phrase + " -lx -s -v -n" + m + " -f " + path))
                << list << " -m " << m << " " << phrase;
        }
    }
}

#endif

}  // namespace
}  // namespace scramblo::cli::testing
