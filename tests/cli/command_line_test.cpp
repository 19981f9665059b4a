#include "command_line.h"

#include <gtest/gtest.h>

#include "lexicon/leave_out.h"

namespace scramblo::cli {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, DefaultsAreThoseOfTheSearchSettings) {
    Options options = parseCommandLine({"dirty", "room"});
    EXPECT_EQ(options.phrase, "dirty room");
    EXPECT_EQ(options.lexiconPath, "");
    EXPECT_EQ(options.lexiconEncoding, ListEncoding::Detect);
    EXPECT_EQ(options.outputEncoding, OutputEncoding::Default);
    EXPECT_EQ(options.search.minWordLength, 3u);
    EXPECT_EQ(options.maxWordLength, 0u);
    EXPECT_EQ(options.search.maxWordCount, 0u);
    EXPECT_EQ(options.search.maxAnagramCount, 0u);
    EXPECT_TRUE(options.search.breadthFirst);
    EXPECT_TRUE(options.search.repeatEntries);
    EXPECT_FALSE(options.raw);
    EXPECT_EQ(options.contain, "");
    EXPECT_TRUE(options.excluded.empty());
    EXPECT_FALSE(options.showHelp || options.showVersion);
}

TEST(CommandLine, ReadsEveryOptionInItsForms) {
    Options options = parseCommandLine(
        {"-l", "a.txt", "--min-length", "2", "-w4", "--max-anagrams=10", "-d", "-c", "dirt", "-x",
         "Tin", "--exclude=nit", "--max-length", "7", "--no-repeat", "--raw",
         "--lexicon-encoding=UTF8", "--output-encoding=CP1252", "dormitory"});
    EXPECT_EQ(options.lexiconPath, "a.txt");
    EXPECT_EQ(options.search.minWordLength, 2u);
    EXPECT_EQ(options.search.maxWordCount, 4u);
    EXPECT_EQ(options.search.maxAnagramCount, 10u);
    EXPECT_FALSE(options.search.breadthFirst);
    EXPECT_EQ(options.contain, "dirt");
    EXPECT_EQ(options.excluded, (Arguments{"Tin", "nit"}));
    EXPECT_EQ(options.maxWordLength, 7u);
    EXPECT_FALSE(options.search.repeatEntries);
    EXPECT_TRUE(options.raw);
    EXPECT_EQ(options.lexiconEncoding, ListEncoding::Utf8);
    EXPECT_EQ(options.outputEncoding, OutputEncoding::Windows1252);
    EXPECT_EQ(options.phrase, "dormitory");

    options = parseCommandLine(
        {"--leave-out", "names,digits", "--best=7", "--words", "-c", "a b", "-c", "c", "x"});
    EXPECT_EQ(options.leaveOut, LeaveOutNames | LeaveOutDigits);
    EXPECT_EQ(options.best, 7u);
    EXPECT_TRUE(options.words);
    EXPECT_EQ(options.contain, "a b c");
    EXPECT_EQ(parseCommandLine({"--leave-out=all", "x"}).leaveOut, uint32_t{LeaveOutAll});

    EXPECT_EQ(parseCommandLine({"--lexicon-encoding", "Windows-1252", "x"}).lexiconEncoding,
              ListEncoding::Windows1252);
    EXPECT_EQ(parseCommandLine({"--lexicon-encoding=utf-16be", "x"}).lexiconEncoding,
              ListEncoding::Utf16BigEndian);
    EXPECT_EQ(parseCommandLine({"--output-encoding", "utf-8", "x"}).outputEncoding,
              OutputEncoding::Utf8);
    EXPECT_EQ(parseCommandLine({"--max-words=4294967295", "x"}).search.maxWordCount, 4294967295u);
}

TEST(CommandLine, BundlesShortOptionsAndMixesOptionsWithThePhrase) {
    Options options = parseCommandLine({"dirty", "-dn", "5", "room", "-dm1"});
    EXPECT_FALSE(options.search.breadthFirst);
    EXPECT_EQ(options.search.maxAnagramCount, 5u);
    EXPECT_EQ(options.search.minWordLength, 1u);
    EXPECT_EQ(options.phrase, "dirty room");

    // After "--", and for a lone "-", everything is phrase.
    options = parseCommandLine({"-d", "--", "-n", "--raw", "-"});
    EXPECT_EQ(options.phrase, "-n --raw -");
    EXPECT_FALSE(options.raw);
    EXPECT_EQ(options.lexiconPath, "");
    EXPECT_EQ(parseCommandLine({"-l", "-d", "x"}).lexiconPath, "-d");
}

TEST(CommandLine, HelpAndVersionNeedNoPhrase) {
    EXPECT_TRUE(parseCommandLine({"-h"}).showHelp);
    EXPECT_TRUE(parseCommandLine({"--version"}).showVersion);
}

TEST(CommandLine, RejectsBadOptionsAndValues) {
    const std::vector<std::pair<Arguments, std::string>> bad{
        {{}, "no phrase given"},
        {{"-d"}, "no phrase given"},
        {{"-q", "x"}, "unknown option '-q'"},
        {{"--depth", "x"}, "unknown option '--depth'"},
        {{"--no-repeat=1", "x"}, "option '--no-repeat' takes no value"},
        {{"x", "-l"}, "option '--lexicon' needs a value"},
        {{"x", "--contain"}, "option '--contain' needs a value"},
        {{"-m", "", "x"}, "--min-length: the number is missing"},
        {{"-m", "-1", "x"}, "--min-length: '-1' is not a whole number"},
        {{"-w", "3.5", "x"}, "--max-words: '3.5' is not a whole number"},
        {{"-n", "4294967296", "x"}, "--max-anagrams: '4294967296' is too large"},
        {{"--max-length=99999999999999999999", "x"},
         "--max-length: '99999999999999999999' is too large"},
        {{"--lexicon-encoding", "Latin1", "x"},
         "--lexicon-encoding: unknown encoding 'Latin1' (auto, utf-8, windows-1252, utf-16le or "
         "utf-16be)"},
        {{"--leave-out", "names,nouns", "x"},
         "--leave-out: unknown kind 'nouns' (digits, abbreviations, names, apostrophes, "
         "case-variants or all)"},
        {{"--leave-out=", "x"},
         "--leave-out: unknown kind '' (digits, abbreviations, names, apostrophes, "
         "case-variants or all)"},
        {{"--output-encoding=utf-16le", "x"},
         "--output-encoding: unknown encoding 'utf-16le' (utf-8 or windows-1252)"},
        {{"--help", "--bogus"}, "unknown option '--bogus'"},
    };
    for (const auto& [arguments, message] : bad) {
        try {
            parseCommandLine(arguments);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const UsageError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

}  // namespace
}  // namespace scramblo::cli
