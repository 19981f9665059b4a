#include "main/word_builder.h"

#include <algorithm>
#include <sstream>

#include "app_ids.h"
#include "letters/letters_left.h"
#include "main_dialog_ids.h"
#include "ranking/fitting_words.h"
#include "settings/wide_text.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

// The words of a box, which the user separates by spaces.
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// The letters one space apart: "a e i l n s t".
std::string spaced(const std::string& letters) {
    std::string text;
    for (char letter : letters) {
        if (!text.empty()) text += ' ';
        text += letter;
    }
    return text;
}

// What the line above the list says.
std::string describe(const LettersLeft& left) {
    switch (left.outcome) {
        case LettersLeft::Fit:
            if (left.key.isEmpty()) return loadString(IDS_NO_LETTERS_LEFT);
            return formatString(IDS_LETTERS_LEFT, spaced(left.key.letters()).c_str(),
                                static_cast<int>(left.key.letterCount()));
        case LettersLeft::PhraseWithoutLetters:
            return loadString(IDS_PHRASE_WITHOUT_LETTERS);
        case LettersLeft::ContainedWithoutLetters:
            return loadString(IDS_CONTAINED_WITHOUT_LETTERS);
        case LettersLeft::ContainedDoNotFit:
            return formatString(IDS_CONTAINED_NOT_IN_PHRASE, spaced(left.lacking).c_str());
    }
    return {};
}

}  // namespace

void WordBuilder::attach() {
    HWND list = this->list();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SetWindowSubclass(list, listProc, 0, reinterpret_cast<DWORD_PTR>(this));
    fitColumn();
}

HWND WordBuilder::list() const {
    return window_.item(IDC_MAIN_WORDS);
}

void WordBuilder::lexiconChanging() {
    lexiconReadable_ = false;
    words_.clear();
    showWords();
}

void WordBuilder::lexiconLoaded() {
    lexiconReadable_ = true;
    update();
}

void WordBuilder::readBoxes() {
    std::vector<std::string> contained = wordsOf(window_.itemText(IDE_MAIN_CONTAIN));
    contained_.clear();
    for (const std::string& word : contained) contained_ += (contained_.empty() ? "" : " ") + word;
    excluded_ = ExcludedWords(wordsOf(window_.itemText(IDE_MAIN_EXCLUDE)));
}

void WordBuilder::update() {
    readBoxes();
    const std::string phrase = window_.itemText(IDE_MAIN_PHRASE);
    words_.clear();
    std::string line;
    if (!phrase.empty()) {
        LettersLeft left = lettersLeft(phrase, contained_);
        line = describe(left);
        // The lexicon only between loads (see lexiconChanging).
        if (lexiconReadable_ && left.outcome == LettersLeft::Fit && !left.key.isEmpty()) {
            words_ = fittingWords(finder_.entryList, finder_.commonness, left.key,
                                  settings_.minWordLength, 0, excluded_);
        }
    }
    window_.setItemText(IDT_MAIN_LETTERS_LEFT, line);
    showWords();
}

void WordBuilder::prepareSearch(Finder& finder) {
    readBoxes();
    finder.contained = contained_;
    finder.excluded = excluded_;
}

void WordBuilder::showWords() {
    HWND list = this->list();
    // The word selected before is not, and the best of these is, ready for
    // Enter. (Asked to change every word's state, or to scroll for the new
    // count, the list would take time for each word.)
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    LRESULT selected = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (selected >= 0)
        SendMessageW(list, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_SETITEMCOUNT, words_.size(), LVSICF_NOSCROLL);
    if (!words_.empty()) {
        state.state = state.stateMask;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    }
    fitColumn();
}

void WordBuilder::fitColumn() const {
    HWND list = this->list();
    RECT client;
    if (GetClientRect(list, &client)) SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, client.right);
}

bool WordBuilder::onCommand(int id, int notifyCode) {
    if (notifyCode != EN_CHANGE ||
        (id != IDE_MAIN_PHRASE && id != IDE_MAIN_CONTAIN && id != IDE_MAIN_EXCLUDE)) {
        return false;
    }
    update();
    return true;
}

bool WordBuilder::onMessage(UINT message, LPARAM lParam) {
    if (message != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom != IDC_MAIN_WORDS) return false;
    switch (header->code) {
        case LVN_GETDISPINFOW:
            provideText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return true;
        case NM_DBLCLK:
            takeWord(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem);
            return true;
        case NM_RETURN:
            takeWord(static_cast<int>(
                SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
            return true;
        default:
            return false;
    }
}

void WordBuilder::provideText(NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
    std::wstring text;
    if (item.iItem >= 0 && static_cast<size_t>(item.iItem) < words_.size())
        text = toUtf16(*words_[static_cast<size_t>(item.iItem)]->word);
    size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    std::copy_n(text.data(), length, item.pszText);
    item.pszText[length] = L'\0';
}

void WordBuilder::takeWord(int index) {
    if (index < 0 || static_cast<size_t>(index) >= words_.size()) return;
    std::string contained = window_.itemText(IDE_MAIN_CONTAIN);
    if (!contained.empty() && contained.back() != ' ') contained += ' ';
    contained += *words_[static_cast<size_t>(index)]->word;
    // The box tells of its change, which works everything out again.
    window_.setItemText(IDE_MAIN_CONTAIN, contained);
}

LRESULT CALLBACK WordBuilder::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR builder) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter takes the selected word instead of pressing Find.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            LRESULT code = DefSubclassProc(list, message, wParam, lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_SIZE: {
            LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            reinterpret_cast<const WordBuilder*>(builder)->fitColumn();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, listProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace scramblo::ui
