#include "session.h"

#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>
#include <stdexcept>

#include "interrupt.h"
#include "lexicon_filter.h"
#include "ranking/fitting_words.h"
#include "text_encoding.h"

namespace scramblo::cli {
namespace {

// A text whose key is `key`: each of its letters as often as the key holds it.
std::string lettersOf(LetterKey key) {
    std::string letters;
    for (char c = 'a'; c <= 'z'; ++c) {
        LetterKey letter;
        letter.assign(std::string_view(&c, 1));
        for (LetterKey smaller; letter.takeFrom(key, smaller); key = smaller) letters += c;
    }
    return letters;
}

void printError(const std::string& message) {
    std::fprintf(stderr, "scramblo-cli: %s\n", message.c_str());
}

}  // namespace

Session::Session(const Options& options)
    : options_(options),
      text_(!options.raw && localeUsesUtf8()),
      outputIsTerminal_(isTerminal(stdout)),
      progress_(stderr, isTerminal(stderr)) {
    finder_.notifyTarget = inbox_.target();
    finder_.lexiconEncoding = options.lexiconEncoding;
    finder_.leaveOut = options.leaveOut;
}

int Session::run() {
    std::string searchPhrase = toEngine(options_.phrase);
    LetterKey phraseKey;
    phraseKey.assign(searchPhrase);
    const std::string refusal = "cannot search '" + options_.phrase + "': no letters, or too many";
    if (phraseKey.isEmpty()) return refuse(refusal);
    if (!options_.contain.empty()) {
        LetterKey containKey, rest;
        containKey.assign(toEngine(options_.contain));
        if (containKey.isEmpty()) return refuse("'" + options_.contain + "' has no letters");
        if (!containKey.takeFrom(phraseKey, rest)) {
            return refuse("the phrase '" + options_.phrase + "' lacks letters of '" +
                          options_.contain + "'");
        }
        searchPhrase = lettersOf(rest);
    }

    // One phrase per run: the load keeps only the words that can take part.
    finder_.loadFilter.assign(searchPhrase);
    if (!loadLexicon()) {
        printError("cannot open the lexicon '" + options_.lexiconPath + "'");
        return ExitLexiconUnreadable;
    }
    if (interruptRequested()) {
        printSummary(0, false);
        return ExitInterrupted;
    }

    // Between the jobs the finder is ours alone (see lexicon_filter.h).
    std::vector<std::string> excluded;
    for (const std::string& word : options_.excluded) excluded.push_back(text_.toEngine(word));
    filterEntries(finder_.entryList, excluded, options_.maxWordLength);
    if (options_.words) return printFittingWords(searchPhrase);

    Notification end(SearchDone, 0);
    if (searchPhrase.empty()) {
        // The contained text takes every letter: it is the one anagram.
        ++anagramCount_;
        printLine(options_.contain);
    } else {
        searchStart_ = std::chrono::steady_clock::now();
        end = runJob(Search, searchPhrase);
    }
    for (const std::string& text : best_.best()) printAnagram(text);
    progress_.clear();
    output_.flush();
    if (output_.state() == LineOutput::State::Failed) {
        printError(std::string("cannot write the output: ") + std::strerror(output_.error()));
        return ExitFailure;
    }
    if (end.code == PhraseRefused) return refuse(refusal);
    printSummary(static_cast<uint32_t>(end.value), end.code == SearchDone);
    return interruptRequested() ? ExitInterrupted : ExitOk;
}

bool Session::loadLexicon() {
    wordCount_ = static_cast<uint32_t>(runJob(LoadLexicon, options_.lexiconPath).value);
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
            progress_.show("loading: " + std::to_string(notification.value) + " words");
            break;
        case LexiconUnreadable:
            lexiconUnreadable_ = true;
            break;
        case SearchProgress: {
            auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                std::chrono::steady_clock::now() - searchStart_);
            progress_.show("searching: " + std::to_string(anagramCount_) + " anagrams, " +
                           std::to_string(seconds.count()) + " s");
            break;
        }
        case AnagramFound:
            ++anagramCount_;
            if (options_.best != 0) {
                best_.offer(notification.text.get(), notification.score());
            } else {
                printAnagram(notification.text.get());
            }
            break;
        default:
            break;  // the end notifications are the caller's
    }
}

void Session::printAnagram(std::string_view text) {
    if (options_.contain.empty() && text_.utf8()) {
        printLine(text);
        return;
    }
    line_.clear();
    if (!options_.contain.empty()) line_.append(options_.contain).append(1, ' ');
    text_.appendForTerminal(line_, text);
    printLine(line_);
}

int Session::printFittingWords(const std::string& letters) {
    LetterKey key;
    key.assign(letters);
    uint32_t count = 0;
    if (!key.isEmpty()) {
        for (const LexiconEntry* entry : fittingWords(
                 finder_.entryList, key, options_.search.minWordLength, options_.maxWordLength)) {
            line_.clear();
            text_.appendForTerminal(line_, *entry->word);
            printLine(line_);
            ++count;
        }
    }
    output_.flush();
    if (output_.state() == LineOutput::State::Failed) {
        printError(std::string("cannot write the output: ") + std::strerror(output_.error()));
        return ExitFailure;
    }
    std::fprintf(stderr, "scramblo-cli: %u words, %u that fit\n", wordCount_, count);
    return ExitOk;
}

void Session::printLine(std::string_view text) {
    if (outputIsTerminal_) progress_.clear();
    output_.writeLine(text);
}

void Session::printSummary(uint32_t milliseconds, bool done) {
    std::fprintf(stderr, "scramblo-cli: %u words, %u anagrams, %u ms, %s\n", wordCount_,
                 anagramCount_, milliseconds, done ? "done" : "stopped");
}

int Session::refuse(const std::string& message) {
    printError(message);
    return ExitPhraseRefused;
}

std::string Session::toEngine(const std::string& text) const {
    return text_.toEngine(text);
}

}  // namespace scramblo::cli
