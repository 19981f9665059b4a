#include "lexicon/text_line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace scramblo {
namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
    std::istringstream stream(bytes);
    TextLineReader reader(stream);
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
}

TEST(TextLineReader, CtrlZEndsTheInput) {
    EXPECT_EQ(linesOf("one\ntwo\nth\x1Aree\nfour\n"), (Lines{"one", "two", "th"}));
    EXPECT_EQ(linesOf("one\n\x1Atwo\n"), (Lines{"one"}));
    EXPECT_EQ(linesOf("\x1A"), Lines{});
    EXPECT_EQ(linesOf("one\r\x1A"), (Lines{"one\r"}));
    // In a later chunk of the 64 KiB the reader takes at a time, and right at its start.
    std::string first(70000, 'x');
    EXPECT_EQ(linesOf(first + "\nab\x1A" + "cd\nef\n"), (Lines{first, "ab"}));
    std::string seam(65535, 'y');
    EXPECT_EQ(linesOf(seam + "\n\x1A" + "z\n"), (Lines{seam}));
}

TEST(TextLineReader, JoinsLinesAcrossItsReadChunks) {
    // The reader takes 64 KiB at a time; put a CR LF and a long line across the seam.
    std::string first(65535, 'x');
    std::string bytes = first + "\r\n" + std::string(200000, 'y') + "\r\nz";
    Lines lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], std::string(200000, 'y'));
    EXPECT_EQ(lines[2], "z");
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
    const std::string seam(65530, 'a');
    for (const std::string& bytes :
         {std::string("ax\nbb\r\nxc\n\nd\re\rx\nff"), std::string("xx\nyy\r\x1Azz\n"),
          seam + "\nxxxxx\nbb\n", seam + "x\nbbbbbbbbbb\n" + std::string(70000, 'c') + "\r\nx"}) {
        std::istringstream stream(bytes);
        TextLineReader reader(stream);
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
