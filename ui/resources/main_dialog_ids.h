// The main window: template 129 and its controls.
#pragma once

#define IDD_MAIN 129
// Its keys: Ctrl+S saves.
#define IDA_MAIN 129

#define IDE_MAIN_PHRASE 1000
#define IDB_MAIN_OPTIONS 1001
#define IDB_MAIN_FIND 1002
#define IDE_MAIN_RESULTS 1004
#define IDP_MAIN_PROGRESS 1005
#define IDT_MAIN_FOUND 1006
#define IDT_MAIN_LEXICON 1007
#define IDB_MAIN_SAVE 1008
#define IDC_MAIN_VIEW 1009  // the tabs: as found, best first
#define IDE_MAIN_BEST 1010
#define IDE_MAIN_CONTAIN 1011
#define IDE_MAIN_EXCLUDE 1012
#define IDT_MAIN_LETTERS_LEFT 1013
#define IDC_MAIN_WORDS 1014
// The system's cancel id, so that Escape stops a search.
#define IDB_MAIN_STOP 2
#define IDB_MAIN_ABOUT 57664
