// One run of scramblo-cli: the engine's load and search jobs on a worker
// thread, and their notifications turned into output. The main thread handles
// the notifications one at a time, in the order posted, and between them
// looks for Ctrl-C and a closed output, which raise the finder's stop flag.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "command_line.h"
#include "finder.h"
#include "line_output.h"
#include "notification_queue.h"
#include "progress_line.h"
#include "utf8_word_list.h"

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
    explicit Session(const Options& options);
    // Stops and waits for a worker that still runs, and releases the texts
    // of anagrams it posted that were never handled.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes anagrams to standard output and messages to standard error;
    // answers the exit code.
    int run();

  private:
    bool loadLexicon();
    // Handles notifications until the running job's end notification, waits
    // for its worker and answers that notification.
    Notification handleUntilJobEnds();
    void handle(const Notification& notification);
    void printLine(const std::string& text);
    void printSummary(uint32_t milliseconds, bool done);
    int refuse(const std::string& message);

    // Text from the command line and text for the terminal.
    std::string toEngine(const std::string& text) const;
    std::string toTerminal(const std::string& text) const;

    const Options& options_;
    const bool convertText_;
    LineOutput output_{stdout};
    const bool outputIsTerminal_;
    ProgressLine progress_;
    NotificationQueue queue_;
    Finder finder_;
    std::optional<Utf8WordList> utf8WordList_;  // read by the load job's worker
    std::thread worker_;
    std::chrono::steady_clock::time_point searchStart_;
    uint32_t wordCount_ = 0;
    uint32_t anagramCount_ = 0;
    bool lexiconUnreadable_ = false;
};

}  // namespace scramblo::cli
