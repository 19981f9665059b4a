#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "notification_sink.h"
#include "temp_folder.h"

namespace scramblo {
namespace {

using testing::NotificationSink;
using testing::Received;
using testing::runJobAndCollect;
using testing::TempFolder;

std::vector<Received> load(Finder& finder, NotificationSink& sink, const std::string& bytes) {
    TempFolder folder;
    return runJobAndCollect(finder, LoadLexicon, folder.write("words.txt", bytes), sink);
}

std::set<std::string> words(const Finder& finder) {
    return {finder.wordSet.begin(), finder.wordSet.end()};
}

// Every word has exactly one entry built from it, and the entries are heaviest first.
void expectConsistent(const Finder& finder) {
    ASSERT_EQ(finder.entryList.size(), finder.wordSet.size());
    std::set<const std::string*> seen;
    uint32_t previousWeight = UINT32_MAX;
    for (const LexiconEntry& entry : finder.entryList) {
        EXPECT_TRUE(seen.insert(entry.word).second);
        EXPECT_EQ(&*finder.wordSet.find(*entry.word), entry.word);
        EXPECT_EQ(entry.weight, wordWeight(*entry.word));
        EXPECT_LE(entry.weight, previousWeight);
        previousWeight = entry.weight;
    }
}

TEST(LexiconLoad, KeepsEachDistinctNonEmptyLineOnce) {
    NotificationSink sink;
    for (std::string lineEnd : {"\r\n", "\n"}) {
        Finder finder;
        std::string bytes;
        for (std::string line : {"Listen", "silent", "listen", "", "Silent", "listen"})
            bytes += line + lineEnd;
        auto received = load(finder, sink, bytes);
        EXPECT_EQ(words(finder), (std::set<std::string>{"Listen", "silent", "listen", "Silent"}));
        EXPECT_EQ(received.back(), (Received{LoadDone, 4, {}}));
        expectConsistent(finder);
    }
}

TEST(LexiconLoad, KeepsLinesByteForByte) {
    NotificationSink sink;
    Finder finder;
    load(finder, sink,
         "abc\nabc \n\xEF\xBB\xBFword\n12 34\ntwo words\nlone\rcr\nth\x1Aree\nlast\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"abc", "abc ", "\xEF\xBB\xBFword", "12 34",
                                                    "two words", "lone\rcr", "th"}));
    expectConsistent(finder);
    LetterKey withMark;
    withMark.assign("iword");
    for (const LexiconEntry& entry : finder.entryList) {
        if (*entry.word == "\xEF\xBB\xBFword") {
            EXPECT_EQ(entry.key, withMark);
        } else if (*entry.word == "12 34") {
            EXPECT_TRUE(entry.key.isEmpty());
        }
    }
}

TEST(LexiconLoad, OrdersEntriesHeaviestFirst) {
    NotificationSink sink;
    Finder finder;
    load(finder, sink, "tin\nlisten\nquiz\n");
    ASSERT_EQ(finder.entryList.size(), 3u);
    EXPECT_EQ(*finder.entryList[0].word, "quiz");
    EXPECT_EQ(*finder.entryList[1].word, "listen");
    EXPECT_EQ(*finder.entryList[2].word, "tin");
}

TEST(LexiconLoad, AFilterKeepsOnlyTheWordsThatFitItsLetters) {
    NotificationSink sink;
    Finder finder;
    finder.loadFilter.assign("Listen, tin!");
    // Accented letters count as their plain letters, other bytes as no letter.
    auto received =
        load(finder, sink, "tin\nnil\nlisten\nsilent\nttt\nquiz\n12\nNIT\n\xEFl\n\xE4t\nn\xF1l\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"tin", "nil", "listen", "silent", "12", "NIT",
                                                    "\xEFl", "n\xF1l"}));
    EXPECT_EQ(received.back(), (Received{LoadDone, 8, {}}));
    expectConsistent(finder);
}

TEST(LexiconLoad, PostsProgressAfterEveryLineAtWholeThousands) {
    NotificationSink sink;
    Finder finder;
    std::string bytes = "\n\n";
    for (int i = 0; i < 1000; ++i) bytes += "w" + std::to_string(i) + "\n";
    bytes += "w5\n";  // a repeat right after the 1000th word
    for (int i = 1000; i < 1500; ++i) bytes += "w" + std::to_string(i) + "\n";
    auto received = load(finder, sink, bytes);
    std::vector<Received> expected{{LoadProgress, 0, {}},
                                   {LoadProgress, 0, {}},
                                   {LoadProgress, 1000, {}},
                                   {LoadProgress, 1000, {}},
                                   {LoadDone, 1500, {}}};
    EXPECT_EQ(received, expected);
}

TEST(LexiconLoad, AFilteredLoadReportsEachThousandWordsOnce) {
    // Most lines of a filtered load do not fit, and are not reported again
    // and again while the count stands at a thousand.
    NotificationSink sink;
    Finder finder;
    finder.loadFilter.assign("aaaa");
    std::string bytes;
    for (int i = 0; i < 2500; ++i) {
        std::string number = std::to_string(i);
        bytes += "a" + number + "\nzz" + number + "\nqq" + number + "\n";
    }
    std::vector<Received> expected{
        {LoadProgress, 1000, {}}, {LoadProgress, 2000, {}}, {LoadDone, 2500, {}}};
    EXPECT_EQ(load(finder, sink, bytes), expected);
}

TEST(LexiconLoad, EmptyInputGivesNoWords) {
    NotificationSink sink;
    Finder finder;
    EXPECT_EQ(load(finder, sink, ""), (std::vector<Received>{{LoadDone, 0, {}}}));
    EXPECT_EQ(
        load(finder, sink, "\r\n\n"),
        (std::vector<Received>{{LoadProgress, 0, {}}, {LoadProgress, 0, {}}, {LoadDone, 0, {}}}));
    EXPECT_TRUE(finder.entryList.empty());
}

TEST(LexiconLoad, UnreadablePathsEmptyTheLexiconAndStillEnd) {
    NotificationSink sink;
    Finder finder;
    load(finder, sink, "alpha\nbeta\n");
    ASSERT_EQ(finder.wordSet.size(), 2u);
    std::string missing =
        (std::filesystem::temp_directory_path() / "scramblo-no-such.txt").string();
    std::string directory = std::filesystem::temp_directory_path().string();
    for (const std::string& path : {missing, directory, std::string()}) {
        auto received = runJobAndCollect(finder, LoadLexicon, path, sink);
        EXPECT_EQ(received, (std::vector<Received>{{LexiconUnreadable, 0, {}}, {LoadDone, 0, {}}}))
            << path;
        EXPECT_TRUE(finder.wordSet.empty());
        EXPECT_TRUE(finder.entryList.empty());
    }
}

// A stream that has the owner ask the load to stop while the load is reading it.
class StoppingBuffer : public std::stringbuf {
  public:
    StoppingBuffer(const std::string& bytes, std::function<void()> stop)
        : std::stringbuf(bytes), stop_(std::move(stop)) {}

  protected:
    std::streamsize xsgetn(char* s, std::streamsize n) override {
        stop_();
        return std::stringbuf::xsgetn(s, n);
    }

  private:
    std::function<void()> stop_;
};

TEST(LexiconLoad, AStopRequestDoesNotShortenTheLoadButAbandoningItDoes) {
    NotificationSink sink;
    Finder finder;
    finder.notifyTarget = sink.target();
    StoppingBuffer stopping("one\ntwo\nthree\n", [&] { finder.setStop(true); });
    std::istream stopped(&stopping);
    EXPECT_EQ(finder.loadLexicon(stopped), 3u);
    EXPECT_EQ(sink.untilJobEnds().back(), (Received{LoadStopped, 3, {}}));
    EXPECT_EQ(finder.entryList.size(), 3u);

    StoppingBuffer abandoning("one\ntwo\nthree\n", [&] { finder.abandon(); });
    std::istream abandoned(&abandoning);
    EXPECT_EQ(finder.loadLexicon(abandoned), 0u);
    EXPECT_EQ(sink.untilJobEnds(), (std::vector<Received>{{LoadStopped, 0, {}}}));
    EXPECT_TRUE(finder.wordSet.empty());
    EXPECT_TRUE(finder.entryList.empty());
}

TEST(LexiconLoad, SurvivesHostileFiles) {
    NotificationSink sink;
    Finder finder;
    auto received =
        load(finder, sink, std::string(20 << 20, 'q') + "\n" + std::string("a\0b\n\0\n", 6));
    EXPECT_EQ(received.back(), (Received{LoadDone, 3, {}}));
    expectConsistent(finder);

    std::string many;
    for (int i = 0; i < 1000000; ++i) many += std::to_string(i % 300007) + "\r\n";
    received = load(finder, sink, many);
    EXPECT_EQ(received.back(), (Received{LoadDone, 300007, {}}));
    EXPECT_EQ(received.size(), 300u + 1);
    expectConsistent(finder);
}

}  // namespace
}  // namespace scramblo
