// The main window's help for building an anagram by hand, word by word: the
// letters of the phrase left after the words it must contain, and the
// lexicon's words that fit in them, best first, less the words left out; all
// of it worked out again from the three boxes whenever one changes. A word
// taken from the list (double-click, Enter) joins the words it must contain;
// removing it from that box gives its letters back.
//
// The words are the finder's lexicon entries, read on the window's thread.
// A search job only reads them as well, but a load job writes them: the
// builder lets go of them when a load starts and reads none until it ends.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <vector>

#include "jobs/finder.h"
#include "lexicon/excluded_words.h"
#include "search/search_settings.h"
#include "toolkit/dialog.h"

namespace scramblo::ui {

class WordBuilder {
  public:
    // `settings` gives the minimum word length.
    WordBuilder(Dialog& window, const Finder& finder, const SearchSettings& settings)
        : window_(window), finder_(finder), settings_(settings) {}
    WordBuilder(const WordBuilder&) = delete;
    WordBuilder& operator=(const WordBuilder&) = delete;

    // Once the window exists: the list's one column, and Enter for the list.
    void attach();

    // A load is about to change the lexicon: its words are let go of.
    void lexiconChanging();
    // The load has ended; so has any other job.
    void lexiconLoaded();
    // Works everything out again from the boxes (after a change of settings, say).
    void update();

    // For the search about to start, while no job runs: the words every
    // anagram must contain, and those it leaves out.
    void prepareSearch(Finder& finder);

    // Answers "claimed?": the boxes' changes.
    bool onCommand(int id, int notifyCode);
    // Answers "claimed?": the list's notifications.
    bool onMessage(UINT message, LPARAM lParam);

  private:
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR builder);
    HWND list() const;
    void readBoxes();
    void showWords();
    void fitColumn() const;
    void provideText(NMLVDISPINFOW& request) const;
    // Adds the word at `index` to the words the anagram must contain.
    void takeWord(int index);

    Dialog& window_;
    const Finder& finder_;
    const SearchSettings& settings_;
    bool lexiconReadable_ = false;
    std::string contained_;  // the words of the box, one space apart
    ExcludedWords excluded_;
    std::vector<const LexiconEntry*> words_;  // in the list's order
};

}  // namespace scramblo::ui
