#include "command_line.h"

#include <algorithm>
#include <string_view>

#include "lexicon/leave_out.h"

namespace scramblo::cli {
namespace {

uint32_t parseCount(const std::string& value) {
    uint64_t count = 0;
    for (char c : value) {
        if (c < '0' || c > '9') throw UsageError("'" + value + "' is not a whole number");
        count = count * 10 + static_cast<uint64_t>(c - '0');
        if (count > UINT32_MAX) throw UsageError("'" + value + "' is too large");
    }
    if (value.empty()) throw UsageError("the number is missing");
    return static_cast<uint32_t>(count);
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

ListEncoding parseEncoding(const std::string& value) {
    std::string name = lowered(value);
    if (name == "auto") return ListEncoding::Detect;
    if (name == "utf-8" || name == "utf8") return ListEncoding::Utf8;
    if (name == "windows-1252" || name == "cp1252") return ListEncoding::Windows1252;
    if (name == "utf-16le") return ListEncoding::Utf16LittleEndian;
    if (name == "utf-16be") return ListEncoding::Utf16BigEndian;
    throw UsageError("unknown encoding '" + value +
                     "' (auto, utf-8, windows-1252, utf-16le or utf-16be)");
}

uint32_t parseLeaveOut(const std::string& value) {
    static const std::pair<std::string_view, uint32_t> kKinds[] = {
        {"digits", LeaveOutDigits},
        {"abbreviations", LeaveOutAbbreviations},
        {"names", LeaveOutNames},
        {"apostrophes", LeaveOutApostrophes},
        {"case-variants", LeaveOutCaseVariants},
        {"all", LeaveOutAll},
    };
    uint32_t kinds = 0;
    for (size_t start = 0; start <= value.size();) {
        size_t end = std::min(value.find(',', start), value.size());
        std::string_view name = std::string_view(value).substr(start, end - start);
        auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                 [&](const auto& known) { return known.first == name; });
        if (kind == std::end(kKinds))
            throw UsageError("unknown kind '" + std::string(name) +
                             "' (digits, abbreviations, names, apostrophes, case-variants or all)");
        kinds |= kind->second;
        start = end + 1;
    }
    return kinds;
}

OutputEncoding parseOutputEncoding(const std::string& value) {
    std::string name = lowered(value);
    if (name == "utf-8" || name == "utf8") return OutputEncoding::Utf8;
    if (name == "windows-1252" || name == "cp1252") return OutputEncoding::Windows1252;
    throw UsageError("unknown encoding '" + value + "' (utf-8 or windows-1252)");
}

struct OptionDefinition {
    char shortName;  // 0: long form only
    std::string_view longName;
    bool takesValue;
    void (*apply)(Options&, const std::string& value);
};

const OptionDefinition kOptions[] = {
    {'l', "lexicon", true, [](Options& o, const std::string& v) { o.lexiconPath = v; }},
    {0, "lexicon-encoding", true,
     [](Options& o, const std::string& v) { o.lexiconEncoding = parseEncoding(v); }},
    {0, "output-encoding", true,
     [](Options& o, const std::string& v) { o.outputEncoding = parseOutputEncoding(v); }},
    {'m', "min-length", true,
     [](Options& o, const std::string& v) { o.search.minWordLength = parseCount(v); }},
    {0, "max-length", true,
     [](Options& o, const std::string& v) { o.maxWordLength = parseCount(v); }},
    {'w', "max-words", true,
     [](Options& o, const std::string& v) { o.search.maxWordCount = parseCount(v); }},
    {'n', "max-anagrams", true,
     [](Options& o, const std::string& v) { o.search.maxAnagramCount = parseCount(v); }},
    {'d', "depth-first", false,
     [](Options& o, const std::string&) { o.search.breadthFirst = false; }},
    {'c', "contain", true,
     [](Options& o, const std::string& v) { o.contain += (o.contain.empty() ? "" : " ") + v; }},
    {'x', "exclude", true, [](Options& o, const std::string& v) { o.excluded.push_back(v); }},
    {0, "no-repeat", false, [](Options& o, const std::string&) { o.search.repeatEntries = false; }},
    {0, "leave-out", true, [](Options& o, const std::string& v) { o.leaveOut = parseLeaveOut(v); }},
    {0, "best", true, [](Options& o, const std::string& v) { o.best = parseCount(v); }},
    {0, "words", false, [](Options& o, const std::string&) { o.words = true; }},
    {0, "raw", false, [](Options& o, const std::string&) { o.raw = true; }},
    {'h', "help", false, [](Options& o, const std::string&) { o.showHelp = true; }},
    {0, "version", false, [](Options& o, const std::string&) { o.showVersion = true; }},
};

const OptionDefinition& findLong(std::string_view name) {
    for (const OptionDefinition& option : kOptions) {
        if (option.longName == name) return option;
    }
    throw UsageError("unknown option '--" + std::string(name) + "'");
}

const OptionDefinition& findShort(char name) {
    for (const OptionDefinition& option : kOptions) {
        if (option.shortName != 0 && option.shortName == name) return option;
    }
    throw UsageError("unknown option '-" + std::string(1, name) + "'");
}

void apply(Options& options, const OptionDefinition& option, const std::string& value) {
    try {
        option.apply(options, value);
    } catch (const UsageError& error) {
        throw UsageError("--" + std::string(option.longName) + ": " + error.what());
    }
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto nextValue = [&](const OptionDefinition& option) {
            if (++i == arguments.size())
                throw UsageError("option '--" + std::string(option.longName) + "' needs a value");
            return arguments[i];
        };
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            words.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument[1] == '-') {
            size_t equals = argument.find('=');
            const OptionDefinition& option =
                findLong(std::string_view(argument).substr(2, equals - 2));
            if (equals != std::string::npos && !option.takesValue)
                throw UsageError("option '--" + std::string(option.longName) + "' takes no value");
            std::string value;
            if (option.takesValue)
                value =
                    equals != std::string::npos ? argument.substr(equals + 1) : nextValue(option);
            apply(options, option, value);
        } else {
            for (size_t j = 1; j < argument.size(); ++j) {
                const OptionDefinition& option = findShort(argument[j]);
                if (!option.takesValue) {
                    apply(options, option, {});
                    continue;
                }
                apply(options, option,
                      j + 1 < argument.size() ? argument.substr(j + 1) : nextValue(option));
                break;
            }
        }
    }
    for (const std::string& word : words) {
        if (!options.phrase.empty()) options.phrase += ' ';
        options.phrase += word;
    }
    if (words.empty() && !options.showHelp && !options.showVersion)
        throw UsageError("no phrase given");
    return options;
}

std::string usageText() {
    return R"(Usage: scramblo-cli [OPTION]... PHRASE...
Prints every combination of lexicon words whose letters are exactly those of
PHRASE (several arguments are joined with spaces), one per line, as it is found.
Case, accents, spaces and punctuation do not count.

  -l, --lexicon FILE        word list, one word per line (default: the list in
                            the user's settings on Windows, else
                            WoordenLijst.txt); a relative FILE is looked for in
                            the current folder, then beside the program
      --lexicon-encoding E  auto (default: read from the list), utf-8,
                            windows-1252, utf-16le or utf-16be
  -m, --min-length N        use words of at least N letters (default 3)
      --max-length N        use words of at most N letters (default 0: no limit)
  -w, --max-words N         at most N words per anagram (default 0: no limit)
  -n, --max-anagrams N      stop after N anagrams (default 0: no limit)
  -d, --depth-first         search depth first (default: breadth first, fewest
                            words first)
  -c, --contain TEXT        only anagrams that contain TEXT, printed first;
                            may be repeated
  -x, --exclude WORD        leave out lexicon lines equal to WORD, ignoring case;
                            may be repeated
      --no-repeat           use no lexicon word twice in one anagram
      --leave-out KINDS     leave out lexicon lines of these kinds, separated
                            by commas: digits, abbreviations (TWA), names
                            (Marc), apostrophes (won't), case-variants (of
                            lines that differ only in case the one in small
                            letters stays, else the first), or all
      --best N              after the search print its N best anagrams, best
                            first: fewer and more common words first
      --words               print the words that fit within the phrase's
                            letters (less those of --contain), commonest first
      --output-encoding E   utf-8 or windows-1252: the bytes written to a file
                            or a pipe (default: utf-8 on Windows, else that of
                            the locale); a Windows console shows every
                            character whatever its code page
      --raw                 take the phrase and write the output as
                            Windows-1252 bytes, whatever the locale (on
                            Windows the phrase is read as Unicode)
  -h, --help                show this help and exit
      --version             show the version and exit

A summary goes to standard error. Exit status: 0 done (or the maximum number
of anagrams reached, or the output closed), 2 lexicon unreadable, 3 phrase
refused, 64 bad usage, 130 interrupted by Ctrl-C.
)";
}

}  // namespace scramblo::cli
