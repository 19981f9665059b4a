#include "jobs/finder.h"

#include <new>

namespace scramblo {

void Finder::setJob(JobKind kind, std::string text, const SearchSettings& settings) {
    jobKind_ = kind;
    jobText_ = std::move(text);
    jobSettings_ = settings;
    setStop(false);
}

void Finder::setStop(bool stop) {
    if (!stop) abandoned_.store(false);
    stopFlag_.store(stop);
}

void Finder::abandon() {
    abandoned_.store(true);
    stopFlag_.store(true);
}

void Finder::runJob() {
    switch (jobKind_) {
        case LoadLexicon: {
            commonness.clear();
            std::unique_ptr<std::streambuf> file;
            if (openLexicon) {
                file = openLexicon(jobText_);
            } else if (std::optional<OpenedList> list = openList(jobText_, lexiconEncoding)) {
                readCommonness(commonnessPathFor(list->path));
                file = std::move(list->text);
            }
            if (file == nullptr) post(LexiconUnreadable, 0);
            // A stream without a file reads no line: the load empties the lexicon.
            std::istream stream(file.get());
            loadLexicon(stream);
            break;
        }
        case Search:
            findAnagrams(jobText_);
            break;
        default:
            break;
    }
}

void Finder::readCommonness(const std::string& path) {
    // A list without a commonness file ranks too: every word is then unknown.
    if (std::optional<OpenedList> file = openList(path, ListEncoding::Utf8)) {
        std::istream stream(file->text.get());
        commonness.read(stream);
    }
}

namespace {

// A post for which the queue found no memory is refused as by a full queue:
// it is tried again, and a job's end is never lost to it.
platform::PostResult tryPost(NotifyTarget target, uint32_t message, uintptr_t code,
                             uintptr_t value) {
    try {
        return platform::postNotification(target, message, code, value);
    } catch (const std::bad_alloc&) {
        return platform::PostResult::Refused;
    }
}

}  // namespace

bool Finder::post(NotificationCode code, uintptr_t value) {
    if (notifyTarget == nullptr) return false;
    for (;;) {
        switch (tryPost(notifyTarget, notificationMessage, code, value)) {
            case platform::PostResult::Posted:
                return true;
            case platform::PostResult::TargetGone:
                return false;
            case platform::PostResult::Refused:
                break;
        }
        // Once a stop is requested nobody waits for more than the job's end:
        // the wait for room is cut into short slices to see one soon.
        for (int slice = 0;; ++slice) {
            if (stopRequested() && !endsJob(code)) return false;
            if (slice == 10 || platform::waitForRoom(notifyTarget, 10)) break;
        }
    }
}

uint32_t workerMain(void* finder) {
    // Nothing may unwind out of a thread entry; the jobs end with their
    // notifications even when memory runs out, so there is nothing to report here.
    try {
        static_cast<Finder*>(finder)->runJob();
    } catch (...) {
    }
    return 0;
}

}  // namespace scramblo
