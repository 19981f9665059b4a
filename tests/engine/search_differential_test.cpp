// The Finder's search against the literal oracle on many random small cases:
// the complete notification streams must agree element by element.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "jobs/finder.h"
#include "jobs/job_driver.h"
#include "literal_search.h"
#include "notification_sink.h"
#include "search/candidate_set.h"
#include "search/subtree_table.h"
#include "search_harness.h"

#ifndef _WIN32
#include "platform/mailbox.h"
#endif

namespace scramblo {
namespace {

using testing::literalSearch;
using testing::NotificationSink;
using testing::Received;
using testing::searchAndCollect;
using testing::useLexicon;

// One random case: a lexicon of a few short words over a small alphabet, so
// that many of them fit, with the troublesome lines mixed in.
struct RandomCase {
    std::vector<std::string> lines;
    std::string phrase;
    SearchSettings settings;
    uint32_t progressPeriod;
    bool shuffled;

    explicit RandomCase(uint32_t seed) {
        std::mt19937 random(seed);
        auto pick = [&](size_t n) { return random() % n; };
        auto word = [&](size_t length) {
            std::string text;
            while (text.size() < length) text += "aeilnrst"[pick(8)];
            return text;
        };
        for (size_t count = 1 + pick(12); lines.size() < count;) {
            std::string line;
            switch (lines.empty() ? 9 : pick(10)) {
                case 0:
                    line = std::vector<std::string>{"123", "--", "4 2", "'"}[pick(4)];
                    break;
                case 1:
                    line = lines[pick(lines.size())];
                    break;  // a repeated line
                case 2:     // the same letters in another order
                    line = lines[pick(lines.size())];
                    std::shuffle(line.begin(), line.end(), random);
                    break;
                case 3:  // capitals and accents: the same key again
                    line = lines[pick(lines.size())];
                    for (char& c : line) {
                        if (c == 'e') c = pick(2) ? '\xE9' : '\xCB';
                        if (c == 'a') c = '\xE0';
                        if (c == 'i') c = 'I';
                    }
                    break;
                default:
                    line = word(1 + pick(5));
                    break;
            }
            lines.push_back(line);
        }
        if (pick(12) == 0) {
            phrase = "  12 -";
        } else {
            for (size_t words = 1 + pick(3); words-- > 0;)
                phrase += lines[pick(lines.size())] + " ";
            if (pick(3) == 0) phrase += word(1);
        }
        settings.minWordLength = static_cast<uint32_t>(pick(6));
        settings.maxWordCount = static_cast<uint32_t>(pick(6));
        settings.maxAnagramCount = static_cast<uint32_t>(pick(8));
        progressPeriod = std::vector<uint32_t>{1, 2, 3, 5, 8, 13, 100000}[pick(7)];
        settings.breadthFirst = pick(2) == 0;
        settings.repeatEntries = pick(3) != 0;
        shuffled = pick(4) == 0;
    }

    void applyTo(Finder& finder, uint32_t seed) const {
        useLexicon(finder, lines);
        // The search needs no order of its entries; the oracle sees the same list.
        if (shuffled)
            std::shuffle(finder.entryList.begin(), finder.entryList.end(), std::mt19937(seed));
        finder.progressPeriod = progressPeriod;
    }

    std::string describe() const {
        std::ostringstream text;
        text << "lexicon:";
        for (const std::string& line : lines) text << " [" << line << "]";
        text << "\nphrase: [" << phrase << "] min " << settings.minWordLength << " words "
             << settings.maxWordCount << " anagrams " << settings.maxAnagramCount << " period "
             << progressPeriod << (settings.breadthFirst ? " breadth" : " depth")
             << (settings.repeatEntries ? " repeat" : " once") << (shuffled ? " shuffled" : "");
        return text.str();
    }
};

bool isAnagram(const Received& one) {
    return one.code == AnagramFound;
}

// Whether a progress tick falls between two anagrams.
bool tickBetweenAnagrams(const std::vector<Received>& stream) {
    auto first = std::find_if(stream.begin(), stream.end(), isAnagram);
    auto last = std::find_if(stream.rbegin(), stream.rend(), isAnagram);
    return first != stream.end() && std::any_of(first, last.base(), [](const Received& one) {
               return one.code == SearchProgress;
           });
}

size_t wordsIn(const std::string& anagram) {
    return 1 + std::count(anagram.begin(), anagram.end(), ' ');
}

TEST(SearchDifferential, MatchesTheLiteralSearchOnRandomSmallCases) {
    NotificationSink sink;
    Finder finder;
    // How often the cases met the situations that are easy to get wrong.
    int stoppedAtMaximum = 0, tickAfterLastAnagram = 0, ticksBetween = 0, fullLength = 0,
        noRepeats = 0, letterlessTried = 0, refused = 0, compared = 0;
    for (uint32_t seed = 1; compared < 4000; ++seed) {
        RandomCase random(seed);
        random.applyTo(finder, seed);
        std::vector<Received> expected = literalSearch(finder, random.phrase, random.settings);
        if (expected.size() > 3000) continue;  // keeps the run short
        ++compared;
        std::vector<Received> received =
            searchAndCollect(finder, random.phrase, sink, random.settings);
        ASSERT_EQ(received, expected) << "seed " << seed << "\n" << random.describe();

        std::vector<std::string> anagrams = testing::anagramsIn(expected);
        bool stopped = expected.back().code == SearchStopped;
        stoppedAtMaximum += stopped;
        tickAfterLastAnagram +=
            stopped && expected.size() > 1 && expected.rbegin()[1].code == SearchProgress;
        ticksBetween += tickBetweenAnagrams(expected);
        fullLength += random.settings.maxWordCount > 1 &&
                      std::any_of(anagrams.begin(), anagrams.end(), [&](const std::string& text) {
                          return wordsIn(text) == random.settings.maxWordCount;
                      });
        noRepeats += !random.settings.repeatEntries && anagrams.size() > 1;
        letterlessTried += random.settings.minWordLength == 0 && !anagrams.empty() &&
                           std::any_of(random.lines.begin(), random.lines.end(),
                                       [](const std::string& line) { return line == "123"; });
        refused += expected.front().code == PhraseRefused;
    }
    EXPECT_GT(stoppedAtMaximum, 100);
    EXPECT_GT(tickAfterLastAnagram, 30);
    EXPECT_GT(ticksBetween, 70);
    EXPECT_GT(fullLength, 70);
    EXPECT_GT(noRepeats, 35);
    EXPECT_GT(letterlessTried, 20);
    EXPECT_GT(refused, 200);
}

// What the plain walk makes of the subtree of one node: the tries at each
// level below it (0: its own expansion) and the levels where it finds anagrams.
struct Subtree {
    std::vector<uint64_t> tries;
    uint32_t anagramLevels = 0;
};

Subtree walkSubtree(const CandidateSet& candidates, uint64_t remainder, uint32_t letterCount,
                    uint32_t levels, uint32_t firstCandidate, uint32_t startRank, uint32_t step) {
    Subtree subtree;
    subtree.tries.assign(levels, 0);
    subtree.tries[0] = candidates.eligibleCount() - startRank;
    for (uint32_t candidate = firstCandidate; candidate < candidates.size(); ++candidate) {
        if (!candidates.packing().fits(candidates.letters(candidate), remainder)) continue;
        uint32_t left = letterCount - candidates[candidate].letterCount;
        if (left == 0) {
            subtree.anagramLevels |= 1;
            continue;
        }
        if (levels < 2) continue;
        // Each word of a child takes at least one letter of what is left.
        uint32_t childLevels = std::min(levels - 1, left);
        Subtree child =
            walkSubtree(candidates, remainder - candidates.letters(candidate), left, childLevels,
                        candidate + step, candidates[candidate].rank + step, step);
        for (uint32_t level = 0; level < childLevels; ++level)
            subtree.tries[level + 1] += child.tries[level];
        subtree.anagramLevels |= child.anagramLevels << 1;
    }
    return subtree;
}

TEST(SubtreeTable, RecordsWhatThePlainWalkMakesOfEverySubtreeFromEveryStart) {
    Finder finder;
    int records = 0, deeper = 0, withAnagrams = 0, longPhraseStarts = 0;
    for (uint32_t seed = 1; records < 1500; ++seed) {
        RandomCase random(seed);
        random.applyTo(finder, seed);
        LetterKey phrase;
        phrase.assign(random.phrase);
        if (phrase.isEmpty()) continue;
        CandidateSet candidates(finder, phrase, random.settings.minWordLength);
        uint32_t step = random.settings.repeatEntries ? 0 : 1;
        SubtreeTable table(finder, candidates, step, phrase.letterCount());
        // The phrase, and what each candidate leaves of it.
        std::vector<std::pair<uint64_t, uint32_t>> remainders{
            {candidates.pack(phrase), phrase.letterCount()}};
        for (uint32_t candidate = 0; candidate < candidates.size(); ++candidate) {
            uint32_t left = phrase.letterCount() - candidates[candidate].letterCount;
            if (left != 0)
                remainders.emplace_back(candidates.pack(phrase) - candidates.letters(candidate),
                                        left);
        }
        for (auto [letters, letterCount] : remainders) {
            uint32_t levels = table.levelsOf(letterCount, random.settings.maxWordCount);
            if (levels < 2) continue;
            // Beyond a few letters only the phrase has a record, when its children have theirs.
            const bool longPhrase = letterCount > SubtreeTable::kMostLetters;
            ++records;
            deeper += levels > 2;
            // Last start first, so that each record is made further step by step.
            for (uint32_t first = static_cast<uint32_t>(candidates.size()) + 1; first-- > 0;) {
                uint32_t rank =
                    first < candidates.size() ? candidates[first].rank : candidates.eligibleCount();
                Subtree expected =
                    walkSubtree(candidates, letters, letterCount, levels, first, rank, step);
                auto [record, start] = table.startOf(letters, letterCount, levels, first);
                ASSERT_TRUE(record != SubtreeTable::kNone || longPhrase);
                if (record == SubtreeTable::kNone) continue;
                longPhraseStarts += longPhrase;
                uint32_t count = table.edgeCount(record);
                SCOPED_TRACE(random.describe() + "\nfirst candidate " + std::to_string(first));
                ASSERT_EQ(table.anagramLevels(record, start, first), expected.anagramLevels);
                uint64_t below = 0;
                for (uint32_t level = 1; level < levels; ++level) {
                    ASSERT_EQ(table.triesAt(record, level - 1, start, count),
                              expected.tries[level]);
                    below += expected.tries[level];
                }
                ASSERT_EQ(table.allTries(record, start, count), below);
                withAnagrams += expected.anagramLevels > 1;
            }
        }
    }
    // Records below which nodes grow again, and starts with anagrams found below the node.
    EXPECT_GT(deeper, 300);
    EXPECT_GT(withAnagrams, 400);
    EXPECT_GT(longPhraseStarts, 100);
}

TEST(SubtreeTable, MakesNoRecordBeyondItsMemoryOrOnceStopped) {
    Finder finder;
    useLexicon(finder, {"tin", "nit", "les", "sel", "set", "nil", "listen", "silent"});
    LetterKey phrase;
    phrase.assign("silent tin");
    CandidateSet candidates(finder, phrase, 3);
    const uint64_t letters = candidates.pack(phrase);
    SubtreeTable roomy(finder, candidates, 0, 9);
    const uint32_t levels = roomy.levelsOf(9, 0);
    EXPECT_NE(roomy.startOf(letters, 9, levels, 0).record, SubtreeTable::kNone);
    SubtreeTable full(finder, candidates, 0, 9, 0);
    EXPECT_EQ(full.startOf(letters, 9, levels, 0).record, SubtreeTable::kNone);
    // Room for a record of two words at most made from its last candidate
    // on, not from its first (its children need no records): it serves the
    // late start and no earlier one.
    const uint32_t last = static_cast<uint32_t>(candidates.size() - 1);
    const uint32_t twoWords = roomy.levelsOf(9, 2);
    bool tight = false;
    for (size_t bytes = 0; !tight && bytes < 4096; bytes += 4) {
        SubtreeTable table(finder, candidates, 0, 9, bytes);
        tight = table.startOf(letters, 9, twoWords, last).record != SubtreeTable::kNone;
        if (!tight) continue;
        EXPECT_EQ(table.startOf(letters, 9, twoWords, 0).record, SubtreeTable::kNone);
        EXPECT_NE(table.startOf(letters, 9, twoWords, last).record, SubtreeTable::kNone);
    }
    EXPECT_TRUE(tight);
    finder.setStop(true);
    SubtreeTable stopped(finder, candidates, 0, 9);
    EXPECT_EQ(stopped.startOf(letters, 9, levels, 0).record, SubtreeTable::kNone);
}

// A search big enough to be stopped in the middle: 40 words over eight
// letters and a phrase of fifteen letters.
const char kBigPhrase[] = "listen rat slate";

using Stream = std::vector<Received>::const_iterator;

// Whether [first, last) is [of, ofLast) with some elements left out.
bool isSubsequence(Stream first, Stream last, Stream of, Stream ofLast) {
    for (; first != last; ++of) {
        if (of == ofLast) return false;
        if (*first == *of) ++first;
    }
    return true;
}

// Puts the lexicon into the finder; answers the settings.
SearchSettings bigSearch(Finder& finder, bool breadthFirst) {
    std::mt19937 random(11);
    std::vector<std::string> lines{"123"};
    while (lines.size() < 80) {
        std::string letters = kBigPhrase;
        letters.erase(std::remove(letters.begin(), letters.end(), ' '), letters.end());
        std::shuffle(letters.begin(), letters.end(), random);
        lines.push_back(letters.substr(0, 2 + random() % 3));
    }
    useLexicon(finder, lines);
    finder.progressPeriod = 50;
    SearchSettings settings;
    settings.minWordLength = 2;
    settings.breadthFirst = breadthFirst;
    return settings;
}

TEST(SearchStop, AStopFromTheOwnerEndsTheSearchAfterAtMostOneMoreAnagram) {
    NotificationSink sink;
    Finder finder;
    std::mt19937 random(5);
    for (bool breadthFirst : {true, false}) {
        const SearchSettings settings = bigSearch(finder, breadthFirst);
        std::vector<Received> expected = literalSearch(finder, kBigPhrase, settings);
        ASSERT_GT(testing::anagramsIn(expected).size(), 1000u);
        auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(searchAndCollect(finder, kBigPhrase, sink, settings), expected);
        [[maybe_unused]] auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);

        int stoppedMidway = 0;
        for (int round = 0; round < 15; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
#ifndef _WIN32
            auto* mailbox = static_cast<Mailbox*>(sink.target());
            uint32_t postedBefore = mailbox->attempts();
#endif
            size_t postedBeforeStop = SIZE_MAX;
            JobDriver jobs(finder);
            jobs.start(Search, kBigPhrase, settings);
            std::thread owner([&] {
#ifndef _WIN32
                // Spins rather than sleeps: on a busy machine a sleeper wakes
                // long after a search this short has ended.
                uint32_t stopAt = 1 + random() % (expected.size() - 1);
                while (mailbox->attempts() - postedBefore < stopAt) {
                }
#else
                std::this_thread::sleep_for(std::chrono::microseconds(random() % whole.count()));
#endif
                jobs.requestStop();
#ifndef _WIN32
                postedBeforeStop = mailbox->attempts() - postedBefore;
#endif
            });
            std::vector<Received> received = sink.untilJobEnds();
            owner.join();
            jobs.waitForEnd(JobDriver::kForever);

            ASSERT_FALSE(received.empty());
            Received end = received.back();
            received.pop_back();
            if (received.size() + 1 == expected.size() && end.code == SearchDone) {
                EXPECT_TRUE(std::equal(received.begin(), received.end(), expected.begin()));
                continue;  // it ended before the stop
            }
            ++stoppedMidway;
            EXPECT_EQ(end.code, SearchStopped);
            // Until the stop every notification is posted, however long that
            // takes: the stream starts as the whole search does. After it the
            // search makes at most one more anagram, and gives up any post that
            // the target refuses.
            Stream gap, next;
            std::tie(gap, next) = std::mismatch(received.cbegin(), received.cend(),
                                                expected.cbegin(), expected.cend() - 1);
            EXPECT_TRUE(isSubsequence(gap, received.cend(), next, expected.cend() - 1));
            EXPECT_LE(std::count_if(gap, received.cend(), isAnagram), 1);
            // Notifications posted after the owner raised the flag hold at most one anagram.
            auto afterStop = received.begin() + std::min(postedBeforeStop, received.size());
            EXPECT_LE(std::count_if(afterStop, received.end(), isAnagram), 1);
        }
        // Fifteen stops at random moments of the search, and not one in its middle, would mean
        // that this test checks nothing.
        EXPECT_GE(stoppedMidway, 1);
    }
}

}  // namespace
}  // namespace scramblo
