#include "cli_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "reference_search.h"
#include "scramblo_version.h"

#ifdef _WIN32
#include <windows.h>

#include "settings/settings_store.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace scramblo::cli::testing {
namespace {

using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

// The weights are all different, so the lexicon's order is fixed:
// dormitory 1436, roomy 1361, dirty 1325, tidy 1307, tory 1305, my 1303,
// dry 1287, doom 112, room 111, trim 109, riot 76, dirt 75, rod 57.
// The empty first line makes the load post progress, which only a terminal shows.
const char kDormitory[] =
    "\nroom\ndirty\ndormitory\ndirt\nroomy\nrod\nmy\nriot\ntory\ndry\ntrim\ndoom\ntidy\n";

// The summary line, all that goes to standard error when it is no terminal.
struct Summary {
    unsigned words = 0;
    unsigned anagrams = 0;
    std::string end;
};

std::string nounFor(unsigned count, const std::string& noun) {
    return count == 1 ? noun : noun + "s";
}

// Nothing unless the summary is whole and each noun agrees with its count.
std::optional<Summary> parseSummary(const std::string& errors) {
    Summary summary;
    unsigned milliseconds;
    char words[8], anagrams[10], end[8];
    int length = 0;
    if (std::sscanf(errors.c_str(), "scramblo-cli: %u %7[a-z], %u %9[a-z], %u ms, %7[a-z]%n",
                    &summary.words, words, &summary.anagrams, anagrams, &milliseconds, end,
                    &length) != 6 ||
        errors.substr(static_cast<size_t>(length)) != "\n" ||
        words != nounFor(summary.words, "word") || anagrams != nounFor(summary.anagrams, "anagram"))
        return std::nullopt;
    summary.end = end;
    return summary;
}

class CliTest : public ::testing::Test {
  protected:
    ProcessResult run(std::vector<std::string> arguments, const RunOptions& options = {}) {
        arguments.insert(arguments.begin(), {"-l", lexicon_});
        return runCli(arguments, options);
    }

    TempFolder directory_;
    std::string lexicon_ = directory_.write("dormitory.txt", kDormitory);
};

TEST_F(CliTest, BreadthFirstPrintsFewerWordsFirstInLexiconOrder) {
    ProcessResult result = run({"dormitory"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.lines(), (Lines{"dormitory", "roomy dirt", "dirty room"}));
    std::optional<Summary> summary = parseSummary(result.err);
    ASSERT_TRUE(summary) << result.err;
    EXPECT_EQ(summary->words, 13u);
    EXPECT_EQ(summary->anagrams, 3u);
    EXPECT_EQ(summary->end, "done");

    result = run({"-m", "2", "dor", "mi", "tory"});
    EXPECT_EQ(result.lines(), (Lines{"dormitory", "roomy dirt", "dirty room", "my riot rod"}));
}

TEST_F(CliTest, SummaryCountsInSingularAndPlural) {
    std::string one = directory_.write("one.txt", "silent\n");
    ProcessResult result = runCli({"-l", one, "listen"});
    EXPECT_EQ(result.err.rfind("scramblo-cli: 1 word, 1 anagram, ", 0), 0u) << result.err;
    result = run({"-w", "1", "dormitory"});
    EXPECT_EQ(result.err.rfind("scramblo-cli: 13 words, 1 anagram, ", 0), 0u) << result.err;
    result = run({"-n", "0", "xyz"});
    EXPECT_EQ(result.err.rfind("scramblo-cli: 0 words, 0 anagrams, ", 0), 0u) << result.err;
}

TEST_F(CliTest, DepthFirstFollowsTheLastChildFirst) {
    EXPECT_EQ(run({"-d", "dormitory"}).lines(), (Lines{"dormitory", "dirty room", "roomy dirt"}));
    EXPECT_EQ(run({"--depth-first", "--min-length=2", "dormitory"}).lines(),
              (Lines{"dormitory", "my riot rod", "dirty room", "roomy dirt"}));
}

TEST_F(CliTest, LimitsWordsAndAnagrams) {
    EXPECT_EQ(run({"-w", "1", "dormitory"}).lines(), Lines{"dormitory"});
    EXPECT_EQ(run({"-m2", "--max-words", "2", "dormitory"}).lines(),
              (Lines{"dormitory", "roomy dirt", "dirty room"}));

    // Reaching the maximum anagram count stops the search, and that is success.
    ProcessResult result = run({"-n", "2", "dormitory"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.lines(), (Lines{"dormitory", "roomy dirt"}));
    std::optional<Summary> summary = parseSummary(result.err);
    ASSERT_TRUE(summary) << result.err;
    EXPECT_EQ(summary->anagrams, 2u);
    EXPECT_EQ(summary->end, "stopped");
}

TEST_F(CliTest, PrintsEveryOneOfTensOfThousandsOfAnagramsAndEndsAtOnceWithoutAny) {
    // A receiver that kept its notifications' places in the window's bound
    // would stall after a few thousand, or at the end of a search without any.
    std::string list =
        directory_.write("american-lower.txt", scramblo::testing::americanLowerCaseWords());
    for (auto [phrase, maxWords] :
         {std::pair{"clint eastwood", 0u}, std::pair{"william shakespeare", 4u}}) {
        SCOPED_TRACE(phrase);
        Lines expected = scramblo::testing::referenceAnagrams(list, phrase, maxWords, true, true);
        ASSERT_GT(expected.size(), 10000u);
        ProcessResult result = runCli({"-l", list, "-w", std::to_string(maxWords), phrase});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(result.lines() == expected)
            << result.lines().size() << " lines instead of " << expected.size();

        result = runCli({"-l", list, "-n", "1000", phrase});
        expected.resize(1000);
        EXPECT_TRUE(result.lines() == expected) << result.lines().size() << " lines";
    }
    ProcessResult none = runCli({"-l", list, "xyz", "qq"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(none.lines().empty());
    std::optional<Summary> summary = parseSummary(none.err);
    ASSERT_TRUE(summary) << none.err;
    EXPECT_EQ(summary->end, "done");
}

#ifdef _WIN32
// The user's settings: none until the test stores a lexicon path as the
// window does, and none again at its end.
class StoredSettings {
  public:
    StoredSettings() { remove(); }
    ~StoredSettings() { remove(); }
    void storeLexicon(const std::string& path) {
        scramblo::UserSettings settings;
        settings.lexiconPath = path;
        writeSettings(settings);
    }

  private:
    static void remove() { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
};
#endif

TEST_F(CliTest, WithoutALexiconReadsTheStoredListElseWoordenLijstHereElseBesideTheProgram) {
#ifdef _WIN32
    StoredSettings settings;
#endif
    // A copy of the program in a folder with a list of its own, started elsewhere.
    namespace fs = std::filesystem;
    TempFolder programFolder, elsewhere;
    fs::path program = fs::path(programFolder.path()) / fs::path(SCRAMBLO_CLI_PATH).filename();
    fs::copy_file(SCRAMBLO_CLI_PATH, program);
    programFolder.write("WoordenLijst.txt", "enlist\n");
    RunOptions options;
    options.program = program.string();
    options.directory = elsewhere.path();
    EXPECT_EQ(runCli({"tinsel"}, options).lines(), Lines{"enlist"});

    // The current folder's list comes first.
    directory_.write("WoordenLijst.txt", "Listen\r\nen\r\nlist\r\n");
    options.directory = directory_.path();
    EXPECT_EQ(runCli({"tinsel"}, options).lines(), Lines{"Listen"});
    EXPECT_EQ(runCli({"-m", "2", "tinsel"}, options).lines(), (Lines{"Listen", "list en"}));

#ifdef _WIN32
    // The list that the user chose in the window comes before both.
    settings.storeLexicon(directory_.write("stored.txt", "silent\n"));
    EXPECT_EQ(runCli({"tinsel"}, options).lines(), Lines{"silent"});
    // A stored name without a folder is looked for as that of -l.
    settings.storeLexicon("stored.txt");
    options.directory = elsewhere.path();
    programFolder.write("stored.txt", "inlets\n");
    EXPECT_EQ(runCli({"tinsel"}, options).lines(), Lines{"inlets"});
#endif
}

// Until its first word that fits, the load posts progress for every line: far
// more notifications than the Win32 seam lets be in flight at once.
TEST_F(CliTest, ThousandsOfLinesBeforeTheFirstFittingWordDoNotStallTheLoad) {
    std::string lines;
    for (int i = 0; i < 10000; ++i) lines += "w" + std::to_string(i) + "\n";
    std::string lexicon = directory_.write("late.txt", lines + "listen\n");
    ProcessResult result = runCli({"-l", lexicon, "silent"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.lines(), Lines{"listen"});
}

TEST_F(CliTest, RefusesAPhraseWithoutUsableLetters) {
    for (const std::string& phrase : {std::string("123 ..."), std::string(32, 'e')}) {
        ProcessResult result = run({phrase});
        EXPECT_EQ(result.exitCode, 3) << phrase;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err,
                  "scramblo-cli: cannot search '" + phrase + "': no letters, or too many\n");
    }
}

TEST_F(CliTest, RefusesAContainedTextThatThePhraseLacks) {
    ProcessResult result = run({"-c", "dormitory x", "dormitory"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "scramblo-cli: the phrase 'dormitory' lacks letters of 'dormitory x'\n");

    result = run({"--contain", "42", "dormitory"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "scramblo-cli: '42' has no letters\n");
}

TEST_F(CliTest, ContainedTextStartsEveryLine) {
    EXPECT_EQ(run({"-c", "dirt", "dormitory"}).lines(), Lines{"dirt roomy"});
    EXPECT_EQ(run({"-c", "Dirty!", "dormitory"}).lines(), Lines{"Dirty! room"});
    EXPECT_EQ(run({"-c", "dirt", "-c", "y", "dormitory"}).lines(), Lines{"dirt y room"});
    // Taking every letter, the contained text is the one anagram.
    ProcessResult result = run({"-c", "dirty room", "dormitory"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.lines(), Lines{"dirty room"});
}

TEST_F(CliTest, BestFirstPrintsTheCommonestAnagramsOnceAfterTheSearch) {
    std::string lexicon =
        directory_.write("list.txt", "dirty\nroom\nDirty\nmoor\ndormitory\nRoom\n");
    // Two known words of four: every other word costs 96.
    directory_.write("list-commonness.txt", "# most common first\nroom\ndirty\n");
    ProcessResult result = runCli({"-l", lexicon, "--best", "3", "dirty", "room"});
    // dormitory 96 + 64, dirty room 25 + 16 + 128, dirty moor 25 + 96 + 128; the
    // spellings with a capital cost more and count as their anagram.
    EXPECT_EQ(result.lines(), (Lines{"dormitory", "dirty room", "dirty moor"}));
    EXPECT_EQ(parseSummary(result.err)->anagrams, 7u);
    EXPECT_EQ(runCli({"-l", lexicon, "--best", "1", "-c", "moor", "dirty room"}).lines(),
              Lines{"moor dirty"});
}

TEST_F(CliTest, WordsPrintsTheWordsThatFitLongestFirst) {
    EXPECT_EQ(run({"--words", "-m", "4", "dormitory"}).lines(),
              (Lines{"dormitory", "dirty", "roomy", "dirt", "doom", "riot", "room", "tidy", "tory",
                     "trim"}));
    ProcessResult result = run({"--words", "-c", "dirty", "dormitory"});
    EXPECT_EQ(result.lines(), Lines{"room"});
    EXPECT_EQ(result.err, "scramblo-cli: 1 word, 1 that fit\n");
}

TEST_F(CliTest, NamesALexiconThatCannotBeOpened) {
    TempFolder empty;
    std::string missing = empty.path() + "/no such lexicon.txt";
    for (std::string encoding : {"windows-1252", "utf-8"}) {
        for (const std::string& path : {missing, empty.path()}) {
            ProcessResult result =
                runCli({"-l", path, "--lexicon-encoding", encoding, "dormitory"});
            EXPECT_EQ(result.exitCode, 2) << path;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "scramblo-cli: cannot open the lexicon '" + path + "'\n");
        }
    }
}

TEST_F(CliTest, BadUsageExitsWith64AndAHint) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"-q", "dormitory"},
        {"--colour", "dormitory"},
        {"-m", "-1", "dormitory"},
        {"--max-words=4294967296", "dormitory"},
        {"dormitory", "-n"},
        {"--depth-first=yes", "dormitory"},
        {"--lexicon-encoding", "latin-9", "dormitory"},
    };
    for (const auto& arguments : bad) {
        ProcessResult result = runCli(arguments);
        EXPECT_EQ(result.exitCode, 64) << result.err;
        EXPECT_EQ(result.out, "");
        const std::string hint = "\nTry 'scramblo-cli --help' for more information.\n";
        EXPECT_EQ(result.err.rfind("scramblo-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - hint.size()) << result.err;
        EXPECT_EQ(result.err.substr(result.err.find('\n')), hint);
    }
}

// café, face and œuvre in Windows-1252; face weighs more than café.
const char kFrench1252[] = "caf\xE9\nface\n\x9Cuvre\n";
const char kCafeUtf8[] = "caf\xC3\xA9";
// Łódź, whose Ł and ź Windows-1252 lacks.
const char kLodzUtf8[] = "\xC5\x81\xC3\xB3\x64\xC5\xBA";

// The phrase as UTF-8: natively in a UTF-8 locale, on Windows as Unicode.
TEST_F(CliTest, WritesUtf8UnlessAskedForWindows1252) {
    std::string lexicon = directory_.write("french.txt", kFrench1252);
    RunOptions utf8;
    utf8.locale = "C.UTF-8";
    auto search = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-l", lexicon});
        return runCli(arguments, utf8);
    };
    const std::string lacks =
        "scramblo-cli: the phrase '" + std::string(kCafeUtf8) + "' lacks letters of '";

    EXPECT_EQ(search({kCafeUtf8}).out, "face\n" + std::string(kCafeUtf8) + "\n");
    EXPECT_EQ(search({"-m", "1", "-c", kCafeUtf8, "oeuvre", "face"}).out,
              std::string(kCafeUtf8) + " \xC5\x93uvre\n");
    EXPECT_EQ(search({"-c", kLodzUtf8, kCafeUtf8}).err, lacks + kLodzUtf8 + "'\n");

    // The summary and the messages on standard error take the same encoding.
    const std::string option = "--output-encoding=windows-1252";
    ProcessResult result = search({option, kCafeUtf8});
    EXPECT_EQ(result.out, "face\ncaf\xE9\n");
    EXPECT_TRUE(parseSummary(result.err)) << result.err;
    EXPECT_EQ(search({option, "-c", kLodzUtf8, kCafeUtf8}).err,
              "scramblo-cli: the phrase 'caf\xE9' lacks letters of '?\xF3\x64?'\n");
#ifdef _WIN32
    // The phrase is Unicode whatever --raw says; the output is Windows-1252.
    EXPECT_EQ(search({"--raw", kCafeUtf8}).out, "face\ncaf\xE9\n");
#endif
}

#ifdef _WIN32
TEST_F(CliTest, AConsoleShowsEveryCharacterWhateverItsCodePage) {
    std::string lexicon =
        directory_.write("polish.txt", std::string(kLodzUtf8) + "\n" + kCafeUtf8 + "\n");
    // 437, of many Western consoles, lacks the Ł and ź of Łódź.
    Lines shown = runCliInConsole({"-l", lexicon, "-m", "1", kCafeUtf8, kLodzUtf8}, 437);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "scramblo-cli: 1 word with characters that count as no letter");
    EXPECT_EQ(shown[1], std::string(kCafeUtf8) + " " + kLodzUtf8);
    EXPECT_EQ(shown[2].rfind("scramblo-cli: 2 words, 1 anagram, ", 0), 0u) << shown[2];

    // Runs of lines longer than a console write takes at once come whole.
    std::string list =
        directory_.write("american-lower.txt", scramblo::testing::americanLowerCaseWords());
    std::vector<std::string> arguments{"-l", list, "-n", "4000", "clint eastwood"};
    shown = runCliInConsole(arguments, 437);
    ASSERT_FALSE(shown.empty());
    shown.pop_back();  // the summary
    EXPECT_TRUE(shown == runCli(arguments).lines()) << shown.size() << " lines";
}
#endif

TEST_F(CliTest, HelpAndVersion) {
    ProcessResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: scramblo-cli [OPTION]... PHRASE...\n", 0), 0u);
    for (const char* option :
         {"--lexicon", "--min-length", "--max-words", "--max-anagrams", "--depth-first",
          "--contain", "--exclude", "--max-length", "--no-repeat", "--lexicon-encoding",
          "--output-encoding", "--raw", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(runCli({"-h"}).out, help.out);

    ProcessResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "scramblo-cli " SCRAMBLO_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

#ifndef _WIN32

TEST_F(CliTest, ConvertsTerminalTextOnlyInAUtf8Locale) {
    std::string lexicon = directory_.write("french.txt", kFrench1252);
    RunOptions utf8;
    utf8.locale = "C.UTF-8";
    auto search = [&](std::vector<std::string> arguments, const RunOptions& options) {
        arguments.insert(arguments.begin(), {"-l", lexicon});
        return runCli(arguments, options).lines();
    };
    EXPECT_EQ(search({"fac\xC3\xA9"}, utf8), (Lines{"face", kCafeUtf8}));
    EXPECT_EQ(search({"-m", "1", "oeuvre"}, utf8), Lines{"\xC5\x93uvre"});
    // Excluded words are compared ignoring case.
    EXPECT_EQ(search({"-x", "CAF\xC3\x89", "face"}, utf8), Lines{"face"});
    // --raw and the C locale pass bytes both ways.
    Lines raw{"face", "caf\xE9"};
    EXPECT_EQ(search({"--raw", "fac\xE9"}, utf8), raw);
    EXPECT_EQ(search({"fac\xE9"}, {}), raw);
    // In the C locale UTF-8 é is two Windows-1252 characters, Ã and ©: "faca" fits nothing.
    EXPECT_EQ(search({"fac\xC3\xA9"}, {}), Lines{});
    // --output-encoding overrides the locale and --raw for the output alone.
    Lines utf8Lines{"face", kCafeUtf8};
    EXPECT_EQ(search({"--output-encoding", "utf-8", "fac\xE9"}, {}), utf8Lines);
    EXPECT_EQ(search({"--raw", "--output-encoding=utf8", "fac\xE9"}, utf8), utf8Lines);
}

TEST_F(CliTest, ReadsAUtf8Lexicon) {
    // H₂O holds a character that Windows-1252 lacks: it stays in its word and
    // counts as no letter.
    std::string lexicon =
        directory_.write("utf8.txt", std::string(kCafeUtf8) + "\nNA\xC3\xAFVE\nH\xE2\x82\x82O\n");
    RunOptions utf8;
    utf8.locale = "C.UTF-8";
    auto search = [&](const std::string& phrase, const RunOptions& options) {
        return runCli({"-l", lexicon, "-m", "2", phrase}, options).lines();
    };
    EXPECT_EQ(search("face", utf8), Lines{kCafeUtf8});
    EXPECT_EQ(search("naive", utf8), Lines{"NA\xC3\xAFVE"});
    EXPECT_EQ(search("oh", utf8), Lines{"H\xE2\x82\x82O"});
    EXPECT_EQ(search("oha", utf8), Lines{});
    EXPECT_EQ(runCli({"-l", lexicon, "-m", "2", "oh"})
                  .err.find("scramblo-cli: 1 word with characters that count as no letter\n"),
              0u);
    // The C locale sees Windows-1252 bytes.
    EXPECT_EQ(search("face", {}), Lines{"caf\xE9"});
    EXPECT_EQ(search("oh", {}), Lines{"H?O"});
}

// Fifty words with the letters eee: depth first, a search for 30 letters e
// finds anagrams all the time, and would go on far longer than any test.
std::string endlessLexicon() {
    std::string words;
    for (int i = 0; i < 50; ++i) words += "eee" + std::to_string(i) + "\n";
    return words;
}

const std::string kLongPhrase(30, 'e');

std::string lettersOf(const std::string& text) {
    std::string letters;
    std::copy_if(text.begin(), text.end(), std::back_inserter(letters),
                 [](char c) { return c >= 'a' && c <= 'z'; });
    return letters;
}

TEST_F(CliTest, CtrlCStopsTheSearchAndPrintsEverythingFound) {
    std::string lexicon = directory_.write("endless.txt", endlessLexicon());
    RunningCli cli({"-l", lexicon, "-d", kLongPhrase});
    std::optional<std::string> first = cli.readLine();
    ASSERT_TRUE(first);
    // Unread, the output pipe fills: Ctrl-C comes while a write waits for room.
    std::this_thread::sleep_for(200ms);
    cli.signal(SIGINT);
    Lines lines{*first};
    for (std::string& line : cli.readRemainingLines()) lines.push_back(std::move(line));
    std::optional<int> exitCode = cli.waitFor(60s);
    ASSERT_TRUE(exitCode) << "still running after Ctrl-C";
    EXPECT_EQ(*exitCode, 130);

    std::optional<Summary> summary = parseSummary(cli.errors());
    ASSERT_TRUE(summary) << cli.errors();
    EXPECT_EQ(summary->words, 50u);
    EXPECT_EQ(summary->end, "stopped");
    EXPECT_EQ(summary->anagrams, lines.size());
    for (const std::string& line : lines) ASSERT_EQ(lettersOf(line), kLongPhrase) << line;
}

TEST_F(CliTest, AClosedOutputEndsTheSearchQuietly) {
    std::string lexicon = directory_.write("endless.txt", endlessLexicon());
    RunningCli cli({"-l", lexicon, "-d", kLongPhrase});
    ASSERT_TRUE(cli.readLine());
    cli.closeOutput();
    std::optional<int> exitCode = cli.waitFor(60s);
    ASSERT_TRUE(exitCode) << "still running after its output closed";
    EXPECT_EQ(*exitCode, 0);
    std::optional<Summary> summary = parseSummary(cli.errors());
    ASSERT_TRUE(summary) << cli.errors();
    EXPECT_EQ(summary->end, "stopped");
}

TEST_F(CliTest, AFailingOutputIsAnError) {
    RunOptions full;
    full.outputFile = "/dev/full";
    ProcessResult result = run({"dormitory"}, full);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "scramblo-cli: cannot write the output: No space left on device\n");
}

TEST_F(CliTest, ShowsProgressOnATerminal) {
    // Standard error on a pseudo-terminal, standard output on a file.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    std::string out = directory_.write("out", "");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, terminal, 2);
    std::string path = SCRAMBLO_CLI_PATH;
    std::string lexicon = "-l" + lexicon_;
    std::string phrase = "dormitory";
    char* argv[] = {path.data(), lexicon.data(), phrase.data(), nullptr};
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status;
    waitpid(pid, &status, 0);
    close(terminal);
    std::string shown;
    char buffer[4096];
    for (ssize_t count; (count = read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, count);
    close(master);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(shown.find("\rloading: 0 words"), std::string::npos) << shown;
    EXPECT_NE(shown.find("scramblo-cli: 13 words, 3 anagrams"), std::string::npos) << shown;
    EXPECT_EQ(readFile(out), "dormitory\nroomy dirt\ndirty room\n");
}

#endif

}  // namespace
}  // namespace scramblo::cli::testing
