#include "finder.h"

#include <filesystem>
#include <fstream>

namespace scramblo {
namespace {

// A directory opens as a stream on some platforms; it is never a lexicon.
bool openLexiconFile(std::ifstream& stream, const std::string& path) {
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) return false;
    stream.open(path, std::ios::in | std::ios::binary);
    return stream.is_open();
}

}  // namespace

void Finder::runJob() {
    switch (jobKind) {
        case LoadLexicon: {
            std::ifstream stream;
            if (!openLexiconFile(stream, jobText)) post(LexiconUnreadable, 0);
            loadLexicon(stream);
            break;
        }
        case Search:
            findAnagrams(jobText);
            break;
        default:
            break;
    }
}

bool Finder::post(NotificationCode code, uintptr_t value) {
    if (targetWindow == nullptr) return false;
    for (;;) {
        switch (platform::postNotification(targetWindow, notificationMessage, code, value)) {
            case platform::PostResult::Posted:
                return true;
            case platform::PostResult::TargetGone:
                return false;
            case platform::PostResult::Refused:
                break;
        }
        platform::sleepMilliseconds(100);
        if (stopRequested() && !endsJob(code)) return false;
    }
}

uint32_t workerMain(void* finder) {
    // Nothing may unwind out of a thread entry; the jobs end with their
    // notifications even when memory runs out, so there is nothing to report here.
    try {
        if (finder != nullptr) static_cast<Finder*>(finder)->runJob();
    } catch (...) {
    }
    return 0;
}

}  // namespace scramblo
