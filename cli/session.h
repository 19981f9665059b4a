// One run of scramblo-cli: the engine's load and search jobs on a worker
// thread, and their notifications turned into output. The main thread handles
// the notifications one at a time, in the order posted, and between them
// looks for Ctrl-C and a closed output, which raise the finder's stop flag.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "command_line.h"
#include "jobs/finder.h"
#include "jobs/job_driver.h"
#include "jobs/notification_inbox.h"
#include "line_output.h"
#include "progress_line.h"
#include "ranking/best_anagrams.h"
#include "text_encoding.h"
#include "text_stream.h"

namespace scramblo::cli {

enum ExitCode {
    ExitOk = 0,  // done, the maximum anagram count reached, or the output closed
    ExitFailure = 1,
    ExitLexiconUnreadable = 2,
    ExitPhraseRefused = 3,
    ExitUsage = 64,
    ExitInterrupted = 130,
};

class Session {
  public:
    Session(const Options& options, const TerminalText& text);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes anagrams to standard output and messages to standard error;
    // answers the exit code.
    int run();

  private:
    bool loadLexicon();
    // Starts the job, handles its notifications until its end notification,
    // waits for its worker and answers that notification.
    Notification runJob(JobKind kind, const std::string& text);
    void handle(const Notification& notification);
    // The words that fit within the letters, instead of a search; answers the exit code.
    int printFittingWords(const LetterKey& letters);
    // Answers false, having said so, when the output failed.
    bool flushOutput();
    void printLine(std::string_view text);
    void printSummary(uint32_t milliseconds, bool done);
    int refuse(const std::string& message);

    const Options& options_;
    const TerminalText& text_;
    // The phrase, the contained text and the lexicon path as the engine takes them.
    const std::string phrase_;
    const std::string contain_;
    const std::string lexiconPath_;
    TextStream out_;
    TextStream errors_;
    LineOutput output_{out_};
    ProgressLine progress_{errors_};
    NotificationInbox inbox_;
    Finder finder_;
    // Declared last: it ends a running job before the rest goes.
    JobDriver jobs_{finder_};
    std::chrono::steady_clock::time_point searchStart_;
    uint32_t wordCount_ = 0;
    uint32_t anagramCount_ = 0;
    BestAnagrams best_{options_.best};
    bool lexiconUnreadable_ = false;
};

}  // namespace scramblo::cli
