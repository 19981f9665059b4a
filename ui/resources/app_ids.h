// Resource ids shared by every dialog: the program icon and the string table.
#pragma once

#define IDI_APP 128

#define IDS_APP_NAME 128
#define IDS_FOUND_COUNT 129
#define IDS_LEXICON_COUNT 130
#define IDS_LEXICON_LOADING 131
#define IDS_TIME_ELAPSED 132
#define IDS_PHRASE_REFUSED 133
#define IDS_LEXICON_UNREADABLE 134
#define IDS_WORKER_NOT_STARTED 135
#define IDS_LEXICON_MISSING 136
#define IDS_FOREIGN_CHARACTERS 137

#define IDS_VIEW_AS_FOUND 140
#define IDS_VIEW_BEST_FIRST 141
#define IDS_SAVE_FILTER 142
#define IDS_SAVE_FAILED 143

// The letters left after the words the anagram must contain (main window).
#define IDS_LETTERS_LEFT 150
#define IDS_NO_LETTERS_LEFT 151
#define IDS_CONTAINED_NOT_IN_PHRASE 152
#define IDS_CONTAINED_WITHOUT_LETTERS 153
#define IDS_PHRASE_WITHOUT_LETTERS 154
