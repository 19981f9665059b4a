#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "jobs/finder.h"
#include "lexicon/lexicon_file.h"
#include "notification_sink.h"
#include "platform/platform.h"
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

TEST(LexiconLoad, KeepsLinesAsTheyStand) {
    NotificationSink sink;
    Finder finder;
    // A byte-order mark inside the text is a character of its line, and no letter.
    load(finder, sink,
         "abc\nabc \n\xEF\xBB\xBFword\n12 34\ntwo words\nlone\rcr\nth\x1Aree\nlast\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"abc", "abc ", "\xEF\xBB\xBFword", "12 34",
                                                    "two words", "lone\rcr", "th"}));
    expectConsistent(finder);
    LetterKey word;
    word.assign("word");
    for (const LexiconEntry& entry : finder.entryList) {
        if (*entry.word == "\xEF\xBB\xBFword") {
            EXPECT_EQ(entry.key, word);
        } else if (*entry.word == "12 34") {
            EXPECT_TRUE(entry.key.isEmpty());
        }
    }
}

std::string utf16(const std::u16string& text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text) {
        char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

TEST(LexiconLoad, ReadsTheListsEncodingFromTheList) {
    // The same list in every encoding the load tells apart: the same words, as UTF-8.
    const std::set<std::string> expected{"cr\xC3\xA8me", "br\xC3\xBBl\xC3\xA9\x65",
                                         "Stra\xC3\x9F\x65", "\xC5\x93uvre"};
    const std::string utf8 =
        "cr\xC3\xA8me\r\nbr\xC3\xBBl\xC3\xA9\x65\r\nStra\xC3\x9F\x65\r\n\xC5\x93uvre\r\n";
    const std::u16string text = u"cr\u00E8me\r\nbr\u00FBl\u00E9\x65\nStra\u00DF\x65\n\u0153uvre";
    for (const std::string& bytes :
         {utf8, "\xEF\xBB\xBF" + utf8,
          std::string("cr\xE8me\nbr\xFBl\xE9\x65\nStra\xDF\x65\n\x9Cuvre\n"), utf16(text, true),
          utf16(text, false)}) {
        NotificationSink sink;
        Finder finder;
        auto received = load(finder, sink, bytes);
        EXPECT_EQ(words(finder), expected) << bytes;
        EXPECT_EQ(received.back(), (Received{LoadDone, 4, {}}));
        expectConsistent(finder);
        EXPECT_EQ(finder.wordsWithForeignCharacters, 0u);
    }
}

TEST(LexiconLoad, AnEncodingAskedForIsTheOneRead) {
    NotificationSink sink;
    Finder finder;
    finder.lexiconEncoding = ListEncoding::Windows1252;
    load(finder, sink, "caf\xC3\xA9\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"caf\xC3\x83\xC2\xA9"}));  // cafÃ©
    // Asked for UTF-8, a byte that is none reads as Windows-1252.
    finder.lexiconEncoding = ListEncoding::Utf8;
    load(finder, sink, "\xEF\xBB\xBF\x63\x61\x66\xC3\xA9\nna\xEFve\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"caf\xC3\xA9", "na\xC3\xAFve"}));
}

TEST(LexiconLoad, CountsTheWordsWithCharactersBeyondWindows1252) {
    NotificationSink sink;
    Finder finder;
    load(finder, sink,
         "\xC5\x81\xC3\xB3\x64\xC5\xBA\nH\xE2\x82\x82O\ncaf\xC3\xA9\nH\xE2\x82\x82O\n");
    EXPECT_EQ(finder.wordsWithForeignCharacters, 2u);
    LetterKey od, ho;
    od.assign("od");
    ho.assign("HO");
    for (const LexiconEntry& entry : finder.entryList) {
        if (*entry.word == "\xC5\x81\xC3\xB3\x64\xC5\xBA") {
            EXPECT_EQ(entry.key, od);
        }
        if (*entry.word == "H\xE2\x82\x82O") {
            EXPECT_EQ(entry.key, ho);
        }
    }
}

TEST(LexiconLoad, ARelativePathIsLookedUpInTheCurrentFolderThenBesideTheProgram) {
    namespace fs = std::filesystem;
    // Started from another folder than its own.
    fs::path started = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    fs::path elsewhere = fs::current_path();
    std::string name =
        "scramblo-beside-" + std::to_string(reinterpret_cast<uintptr_t>(&started)) + ".txt";
    std::vector<std::string> candidates = lexiconCandidates(name);
    fs::current_path(started);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(fs::u8path(candidates[0]), elsewhere / name);
    EXPECT_EQ(fs::u8path(candidates[1]), fs::u8path(platform::programFolder()) / name);
    std::string absolute = (fs::temp_directory_path() / name).u8string();
    EXPECT_EQ(lexiconCandidates(absolute), std::vector<std::string>{absolute});
#ifdef _WIN32
    // A share (a named pipe is one too), or a folder of the current drive.
    for (const std::string& rooted : {"\\\\server\\share\\" + name, "\\" + name}) {
        EXPECT_EQ(lexiconCandidates(rooted), std::vector<std::string>{rooted});
    }
#endif

    NotificationSink sink;
    Finder finder;
    std::ofstream(fs::u8path(candidates[1]), std::ios::binary) << "beside\n";
    fs::current_path(fs::temp_directory_path());
    runJobAndCollect(finder, LoadLexicon, name, sink);
    fs::current_path(started);
    fs::remove(fs::u8path(candidates[1]));
    EXPECT_EQ(words(finder), (std::set<std::string>{"beside"}));
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
    // Marked letters count as their plain letters (ß as two s), other
    // characters as no letter.
    auto received = load(finder, sink,
                         "tin\nnil\nlisten\nsilent\nttt\nquiz\n12\nNIT\n\xEFl\n\xE4t\nn\xF1l\n"
                         "\xDF\n\xF1\xF1\xF1\n");
    EXPECT_EQ(words(finder), (std::set<std::string>{"tin", "nil", "listen", "silent", "12", "NIT",
                                                    "\xC3\xAFl", "n\xC3\xB1l"}));
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
