// The engine object: lexicon, search state and the job protocol. The owner
// sets the job, then starts a worker thread on workerMain (a JobDriver does
// both); the worker reports everything by posting notifications to the target
// and waits for it only while the target has no room (see post).
//
// The public members are grouped by who writes them: the owner while no job
// runs, the worker while its job runs (the owner reads them between jobs),
// and both: the stop flag, the only state shared while a job runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <set>
#include <streambuf>
#include <string>
#include <vector>

#include "jobs/notification.h"
#include "lexicon/excluded_words.h"
#include "lexicon/leave_out.h"
#include "lexicon/lexicon_entry.h"
#include "lexicon/lexicon_file.h"
#include "platform/platform.h"
#include "ranking/commonness.h"
#include "search/search_settings.h"

namespace scramblo {

class Finder {
  public:
    Finder() = default;
    Finder(const Finder&) = delete;
    Finder& operator=(const Finder&) = delete;

    // The owner's, written only while no job runs; the worker reads them.

    // The next job with the settings it searches with, and the stop flag
    // lowered for it. Lowered here, before its worker exists, and not by the
    // job itself: a stop requested at any moment after this call ends that
    // job, however late its worker starts.
    void setJob(JobKind kind, std::string text, const SearchSettings& settings);
    JobKind jobKind() const { return jobKind_; }
    const std::string& jobText() const { return jobText_; }
    const SearchSettings& jobSettings() const { return jobSettings_; }

    NotifyTarget notifyTarget = nullptr;
    const uint32_t notificationMessage = kNotificationMessage;

    // How a load job reads its file, a UTF-8 path (see lexicon_file.h).
    ListEncoding lexiconEncoding = ListEncoding::Detect;
    // When set, opens the file of a load job instead, as UTF-8 text; none when
    // it cannot be read.
    using LexiconOpener = std::function<std::unique_ptr<std::streambuf>(const std::string& path)>;
    LexiconOpener openLexicon;

    // When not empty, a load keeps only the words whose letters fit into it
    // (and words without letters): a front end that searches one phrase sets
    // it to that phrase, and holds no word that phrase cannot use. Empty, the
    // default, keeps every word.
    LetterKey loadFilter;
    // The kinds of lines a load leaves out (see leave_out.h).
    uint32_t leaveOut = LeaveOutNothing;

    // The words that every anagram of a search must contain, which start
    // each anagram's text: a search takes their letters from the phrase and
    // searches the letters left (see letters_left.h); when they take every
    // letter, they alone are the one anagram. A phrase that lacks their
    // letters is refused, and so are words without a letter. Empty: none.
    std::string contained;
    // The lexicon lines that searches leave out, as if the list lacked them.
    ExcludedWords excluded;

    // Entries tried per search progress tick.
    uint32_t progressPeriod = 100000;

    // The worker's while its job runs, and the owner's between jobs.

    // Runs the job on the calling (worker) thread.
    void runJob();

    // Posts one notification, retrying while the target refuses it: as soon as
    // its receiver has made room, and at least every 100 ms. Gives up when the
    // target is gone, and at the first refusal once the stop flag is raised,
    // except for a job's end notification: the owner leaves its busy state
    // only on that one, so it is retried for as long as the target exists.
    // Answers whether it was posted.
    bool post(NotificationCode code, uintptr_t value);

    // Reads the stream to its end into the word set and the entry list, unless
    // the job is abandoned.
    uint32_t loadLexicon(std::istream& stream);
    bool addWord(const std::string& line);

    uint32_t findAnagrams(const std::string& phrase);

    using WordSet = std::set<std::string>;
    WordSet wordSet;
    std::vector<LexiconEntry> entryList;  // heaviest first once loaded
    // How common the words of the list are, read by each load from the
    // list's commonness file (see commonness.h); empty when it has none.
    Commonness commonness;
    // Words of the last load that hold a character beyond Windows-1252, which
    // counts as no letter.
    uint32_t wordsWithForeignCharacters = 0;

    uint32_t anagramCount = 0;
    uint32_t expansionCounter = 0;
    uint32_t progressTickCount = 0;

    // Written by both at any time.

    // Raised by the owner's stop requests and by a search at its anagram
    // limit; lowered for each new job. Lowering it also lowers `abandoned`.
    void setStop(bool stop);
    bool stopRequested() const { return stopFlag_.load(); }
    // A stop request from an owner that wants nothing more of the job: a load
    // then stops reading too and leaves the lexicon empty. (A plain stop
    // request lets a load read its whole file.)
    void abandon();
    bool abandoned() const { return abandoned_.load(std::memory_order_relaxed); }

  private:
    // `previous` is where the word added before went, or the set's end.
    bool addWord(const std::string& line, WordSet::iterator& previous);
    void readCommonness(const std::string& path);
    // Of the words that differ only in case, keeps one; answers how many went.
    uint32_t leaveOutCaseVariants();

    JobKind jobKind_ = NoJob;
    std::string jobText_;
    SearchSettings jobSettings_;
    std::atomic<bool> stopFlag_{false};
    std::atomic<bool> abandoned_{false};
};

// The worker thread's entry; `finder` is the Finder to run. Answers 0.
uint32_t workerMain(void* finder);

}  // namespace scramblo
