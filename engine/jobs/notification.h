// The contract between the engine and its owner: job kinds, the notification
// message and its codes. The code travels as the message's first parameter,
// the value (a count, milliseconds, 0 or a text's address) as its second.
#pragma once

#include <cstdint>

#include "jobs/anagram_text.h"

namespace scramblo {

enum JobKind : int32_t { NoJob = 0, LoadLexicon = 1, Search = 2 };

// WM_APP + 40: the message number of every notification.
constexpr uint32_t kNotificationMessage = 0x8000 + 40;

enum NotificationCode : uintptr_t {
    LoadProgress = 1,       // words added so far, every 1000 words
    LoadStopped = 2,        // words added; the load ended with the stop flag raised
    LoadDone = 3,           // words added
    SearchProgress = 4,     // progress tick count: 1, 2, 3, ...
    SearchStopped = 5,      // elapsed milliseconds
    SearchDone = 6,         // elapsed milliseconds
    AnagramFound = 7,       // an anagram text, handed over (see anagram_text.h)
    PhraseRefused = 8,      // 0
    LexiconUnreadable = 9,  // 0; the load still follows and ends with 0 words
};

// The notifications after which a job's worker posts nothing more.
constexpr bool endsJob(uintptr_t code) {
    return code == LoadStopped || code == LoadDone || code == SearchStopped || code == SearchDone ||
           code == PhraseRefused;
}

// A notification in its receiver's hands (see notification_inbox.h).
struct Notification {
    Notification() = default;
    // Takes over the anagram text that an AnagramFound value carries.
    Notification(uintptr_t code, uintptr_t value)
        : code(code),
          value(value),
          text(code == AnagramFound ? reinterpret_cast<const char*>(value) : nullptr) {}

    // An anagram's score (see anagram_text.h); 0 for other notifications.
    uint32_t score() const { return text ? anagramScore(text.get()) : 0; }

    uintptr_t code = 0;
    uintptr_t value = 0;  // for AnagramFound the address of `text`
    AnagramText text;     // AnagramFound only
};

}  // namespace scramblo
