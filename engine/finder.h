// The engine object: settings, lexicon and search state, and the job protocol.
// The owner writes the job kind and text, then starts a worker thread on
// workerMain; the worker reports everything by posting notifications to the
// target window and never waits for it.
//
// Shared between the owner's thread and the worker: the stop flag and the four
// settings (atomics, written whole). Everything else belongs to the worker
// while a job runs; the owner writes the job fields only before it starts one.
#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <set>
#include <string>
#include <vector>

#include "lexicon_entry.h"
#include "notification.h"
#include "platform.h"

namespace scramblo {

class Finder {
  public:
    Finder() = default;
    Finder(const Finder&) = delete;
    Finder& operator=(const Finder&) = delete;

    // Raised by the owner's stop requests and by a search at its anagram
    // limit; lowered by every job at its start.
    void setStop(bool stop) { stopFlag_.store(stop); }
    bool stopRequested() const { return stopFlag_.load(); }

    // Runs the job named by jobKind on the calling (worker) thread.
    void runJob();

    // Posts one notification, retrying every 100 ms while the target refuses
    // it. Gives up when the target window is gone, and once the stop flag is
    // raised, except for a job's end notification: the owner leaves its busy
    // state only on that one, so it is retried for as long as the window
    // exists. Answers whether it was posted.
    bool post(NotificationCode code, uintptr_t value);

    // Reads the stream to its end into the word set and the entry list.
    uint32_t loadLexicon(std::istream& stream);
    bool addWord(const std::string& line);

    uint32_t findAnagrams(const std::string& phrase);

    NotifyTarget targetWindow = nullptr;
    const uint32_t notificationMessage = kNotificationMessage;
    JobKind jobKind = NoJob;
    std::string jobText;

    // When not empty, a load keeps only the words whose letters fit into it
    // (and words without letters): a front end that searches one phrase sets
    // it to that phrase, and holds no word that phrase cannot use. Empty, the
    // default, keeps every word. Written by the owner before a load.
    LetterKey loadFilter;

    using WordSet = std::set<std::string>;
    WordSet wordSet;
    std::vector<LexiconEntry> entryList;  // heaviest first once loaded

    uint32_t anagramCount = 0;
    uint32_t expansionCounter = 0;
    uint32_t progressTickCount = 0;
    uint32_t progressPeriod = 100000;

    std::atomic<uint32_t> maxAnagramCount{0};  // 0 = unlimited
    std::atomic<uint32_t> minWordLength{3};
    std::atomic<uint32_t> maxWordCount{0};  // 0 = unlimited
    std::atomic<bool> breadthFirst{true};
    // False: no entry twice in one anagram (a child's expansion starts at the
    // entry after its word instead of at the word itself).
    std::atomic<bool> repeatEntries{true};

  private:
    // `previous` is where the word added before went, or the set's end.
    bool addWord(const std::string& line, WordSet::iterator& previous);

    std::atomic<bool> stopFlag_{false};
};

// The worker thread's entry; `finder` is the Finder to run. Answers 0.
uint32_t workerMain(void* finder);

}  // namespace scramblo
