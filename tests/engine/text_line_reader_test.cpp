#include "lexicon/text_line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace scramblo {
namespace {

// Small, so that short texts cross the seams between the reader's chunks.
constexpr size_t kChunk = 16;

std::vector<std::string> linesOf(const std::string& bytes, size_t chunkSize = kChunk) {
    std::istringstream stream(bytes);
    TextLineReader reader(stream, chunkSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.nextLine(line)) lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLineReader, ReadsLinesByTheTextModeRules) {
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(linesOf("a\rb\rc"), (Lines{"a\rb\rc"}));
    EXPECT_EQ(linesOf("a\r\r\nb\r"), (Lines{"a\r", "b\r"}));
    EXPECT_EQ(linesOf(" a b \t\n"), (Lines{" a b \t"}));
    EXPECT_EQ(linesOf(std::string("n\0l\n", 4)), (Lines{std::string("n\0l", 3)}));
    // Whatever the chunk size, every seam read alike.
    const std::string text = "one\r\ntwo\rthree\n\nfour\r\r\nfive";
    for (size_t chunkSize = 1; chunkSize <= text.size(); ++chunkSize)
        EXPECT_EQ(linesOf(text, chunkSize), linesOf(text, TextLineReader::kChunkSize)) << chunkSize;
}

TEST(TextLineReader, CtrlZEndsTheInput) {
    EXPECT_EQ(linesOf("one\ntwo\nth\x1Aree\nfour\n"), (Lines{"one", "two", "th"}));
    EXPECT_EQ(linesOf("one\n\x1Atwo\n"), (Lines{"one"}));
    EXPECT_EQ(linesOf("\x1A"), Lines{});
    EXPECT_EQ(linesOf("one\r\x1A"), (Lines{"one\r"}));
    // In a later chunk, and right at its start.
    std::string first(kChunk + 4, 'x');
    EXPECT_EQ(linesOf(first + "\nab\x1A" + "cd\nef\n"), (Lines{first, "ab"}));
    std::string seam(kChunk - 1, 'y');
    EXPECT_EQ(linesOf(seam + "\n\x1A" + "z\n"), (Lines{seam}));
}

TEST(TextLineReader, JoinsLinesAcrossItsReadChunks) {
    // A CR LF across a seam, and a line across several.
    std::string first(kChunk - 1, 'x'), longer(3 * kChunk, 'y');
    EXPECT_EQ(linesOf(first + "\r\n" + longer + "\r\nz"), (Lines{first, longer, "z"}));
}

TEST(TextLineReader, PassesOverLinesWithARefusedByteAsALoadFilterWould) {
    // 'x' may not stand. Whatever the reader passes on is filtered again, as
    // the load does; no line that may stand is lost, whole or across a seam.
    BytesThatMayStand mayStand;
    mayStand.fill(true);
    mayStand['x'] = false;
    auto allMayStand = [&](const std::string& line) {
        return std::all_of(line.begin(), line.end(),
                           [&](char byte) { return mayStand[static_cast<unsigned char>(byte)]; });
    };
    const std::string seam(kChunk - 6, 'a');
    for (const std::string& bytes :
         {std::string("ax\nbb\r\nxc\n\nd\re\rx\nff"), std::string("xx\nyy\r\x1Azz\n"),
          seam + "\nxxxxx\nbb\n",
          seam + "x\nbbbbbbbbbb\n" + std::string(2 * kChunk, 'c') + "\r\nx"}) {
        std::istringstream stream(bytes);
        TextLineReader reader(stream, kChunk);
        Lines passed, expected;
        std::string_view line;
        while (reader.nextLineThatMayStand(line, mayStand)) {
            if (allMayStand(std::string(line))) passed.emplace_back(line);
        }
        for (const std::string& each : linesOf(bytes)) {
            if (allMayStand(each)) expected.push_back(each);
        }
        EXPECT_EQ(passed, expected);
        EXPECT_FALSE(expected.empty());
    }
}

}  // namespace
}  // namespace scramblo
