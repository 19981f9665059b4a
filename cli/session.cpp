#include "session.h"

#include <cstring>
#include <istream>
#include <memory>
#include <stdexcept>

#include "interrupt.h"
#include "letters/letters_left.h"
#include "lexicon_filter.h"
#include "ranking/fitting_words.h"

#ifdef _WIN32
#include "settings/settings_store.h"
#endif

namespace scramblo::cli {
namespace {

// The list of the user's settings, which the window reads too, else WoordenLijst.txt.
std::string defaultLexiconPath() {
#ifdef _WIN32
    UserSettings stored;
    readSettings(stored);
    if (!stored.lexiconPath.empty()) return stored.lexiconPath;
#endif
    return "WoordenLijst.txt";
}

// "1 word", "2 words".
std::string counted(uint64_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

Session::Session(const Options& options, const TerminalText& text)
    : options_(options),
      text_(text),
      phrase_(text.toEngine(options.phrase)),
      contain_(text.toEngine(options.contain)),
      lexiconPath_(options.lexiconPath.empty() ? defaultLexiconPath() : options.lexiconPath),
      out_(stdout, text.output()),
      errors_(stderr, text.output()) {
    finder_.notifyTarget = inbox_.target();
    finder_.lexiconEncoding = options.lexiconEncoding;
    finder_.leaveOut = options.leaveOut;
    finder_.contained = contain_;
    std::vector<std::string> excluded;
    for (const std::string& word : options.excluded) excluded.push_back(text.toEngine(word));
    finder_.excluded = ExcludedWords(excluded);
}

int Session::run() {
    const LettersLeft left = lettersLeft(phrase_, contain_);
    const std::string refusal = "cannot search '" + phrase_ + "': no letters, or too many";
    switch (left.outcome) {
        case LettersLeft::Fit:
            break;
        case LettersLeft::PhraseWithoutLetters:
            return refuse(refusal);
        case LettersLeft::ContainedWithoutLetters:
            return refuse("'" + contain_ + "' has no letters");
        case LettersLeft::ContainedDoNotFit:
            return refuse("the phrase '" + phrase_ + "' lacks letters of '" + contain_ + "'");
    }

    // One phrase per run: the load keeps only the words that can take part.
    finder_.loadFilter = left.key;
    if (!loadLexicon()) {
        printMessage(errors_, "cannot open the lexicon '" + lexiconPath_ + "'");
        return ExitLexiconUnreadable;
    }
    if (uint32_t foreign = finder_.wordsWithForeignCharacters) {
        printMessage(errors_,
                     counted(foreign, "word") + " with characters that count as no letter");
    }
    if (interruptRequested()) {
        printSummary(0, false);
        return ExitInterrupted;
    }

    // Between the jobs the finder is ours alone (see lexicon_filter.h).
    filterEntries(finder_.entryList, options_.maxWordLength);
    if (options_.words) return printFittingWords(left.key);

    searchStart_ = std::chrono::steady_clock::now();
    Notification end = runJob(Search, phrase_);
    for (const std::string& text : best_.best()) printLine(text);
    if (!flushOutput()) return ExitFailure;
    if (end.code == PhraseRefused) return refuse(refusal);
    printSummary(static_cast<uint32_t>(end.value), end.code == SearchDone);
    return interruptRequested() ? ExitInterrupted : ExitOk;
}

bool Session::loadLexicon() {
    wordCount_ = static_cast<uint32_t>(runJob(LoadLexicon, lexiconPath_).value);
    progress_.clear();
    return !lexiconUnreadable_;
}

Notification Session::runJob(JobKind kind, const std::string& text) {
    std::optional<Notification> end = jobs_.runToEnd(
        inbox_, kind, text, options_.search,
        [this](const Notification& notification) { handle(notification); },
        [this](bool quiet) {
            // Nothing more is wanted: a load stops reading too.
            if (interruptRequested() || output_.state() != LineOutput::State::Open) jobs_.abandon();
            if (quiet) {
                output_.flush();
            } else {
                output_.flushIfDue();
            }
        });
    if (!end) throw std::runtime_error("cannot start a worker thread");
    return std::move(*end);
}

void Session::handle(const Notification& notification) {
    switch (notification.code) {
        case LoadProgress:
            progress_.show("loading: " + counted(notification.value, "word"));
            break;
        case LexiconUnreadable:
            lexiconUnreadable_ = true;
            break;
        case SearchProgress: {
            auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                std::chrono::steady_clock::now() - searchStart_);
            progress_.show("searching: " + counted(anagramCount_, "anagram") + ", " +
                           std::to_string(seconds.count()) + " s");
            break;
        }
        case AnagramFound:
            ++anagramCount_;
            if (options_.best != 0) {
                best_.offer(notification.text.get(), notification.score());
            } else {
                printLine(notification.text.get());
            }
            break;
        default:
            break;  // the end notifications are the caller's
    }
}

int Session::printFittingWords(const LetterKey& letters) {
    uint32_t count = 0;
    if (!letters.isEmpty()) {
        for (const LexiconEntry* entry : fittingWords(finder_.entryList, finder_.commonness,
                                                      letters, options_.search.minWordLength,
                                                      options_.maxWordLength, finder_.excluded)) {
            printLine(*entry->word);
            ++count;
        }
    }
    if (!flushOutput()) return ExitFailure;
    printMessage(errors_, counted(wordCount_, "word") + ", " + std::to_string(count) + " that fit");
    return ExitOk;
}

bool Session::flushOutput() {
    progress_.clear();
    output_.flush();
    if (output_.state() != LineOutput::State::Failed) return true;
    printMessage(errors_,
                 std::string("cannot write the output: ") + std::strerror(output_.error()));
    return false;
}

void Session::printLine(std::string_view text) {
    if (out_.isTerminal()) progress_.clear();
    output_.writeLine(text);
}

void Session::printSummary(uint32_t milliseconds, bool done) {
    printMessage(errors_, counted(wordCount_, "word") + ", " + counted(anagramCount_, "anagram") +
                              ", " + std::to_string(milliseconds) + " ms, " +
                              (done ? "done" : "stopped"));
}

int Session::refuse(const std::string& message) {
    printMessage(errors_, message);
    return ExitPhraseRefused;
}

}  // namespace scramblo::cli
