#include "options_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app_ids.h"
#include "options/lexicon_lookup.h"
#include "options_dialog_ids.h"
#include "settings/settings_store.h"
#include "settings/wide_text.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

// The control shows an out-of-range position at the nearest end of its range;
// clamping here first does the same for values that 16 bits would wrap.
void setSpinner(HWND spinner, uint32_t minimum, uint32_t maximum, uint32_t value) {
    SendMessageW(spinner, UDM_SETRANGE, 0, MAKELPARAM(maximum, minimum));
    SendMessageW(spinner, UDM_SETPOS, 0, MAKELPARAM(std::clamp(value, minimum, maximum), 0));
}

// When the buddy's text is not a number in range the control answers its
// previous position, flagged in the high word, which is not part of the value.
uint32_t spinnerPosition(HWND spinner) {
    return LOWORD(SendMessageW(spinner, UDM_GETPOS, 0, 0));
}

struct LeaveOutBox {
    int id;
    uint32_t kind;
};

constexpr LeaveOutBox kLeaveOutBoxes[] = {
    {IDC_LEAVE_OUT_DIGITS, LeaveOutDigits},
    {IDC_LEAVE_OUT_ABBREVIATIONS, LeaveOutAbbreviations},
    {IDC_LEAVE_OUT_NAMES, LeaveOutNames},
    {IDC_LEAVE_OUT_APOSTROPHES, LeaveOutApostrophes},
    {IDC_LEAVE_OUT_CASE_VARIANTS, LeaveOutCaseVariants},
};

}  // namespace

INT_PTR OptionsDialog::run(HWND owner) {
    return runModal(IDD_OPTIONS, owner);
}

bool OptionsDialog::onInitDialog() {
    centerOver(GetWindow(window(), GW_OWNER));
    minWordLengthSpinner_ = item(IDU_MIN_WORD_LENGTH);
    maxWordCountSpinner_ = item(IDU_MAX_WORD_COUNT);
    maxAnagramCountSpinner_ = item(IDU_MAX_ANAGRAM_COUNT);
    breadthFirstButton_ = item(IDR_BREADTH_FIRST);
    lexiconPathEdit_ = item(IDE_LEXICON_PATH);

    bestShownSpinner_ = item(IDU_BEST_SHOWN);

    const SearchSettings& search = settings.search;
    setSpinner(minWordLengthSpinner_, 1, 5, search.minWordLength);
    setSpinner(maxWordCountSpinner_, 0, 5, search.maxWordCount);
    setSpinner(maxAnagramCountSpinner_, 0, 2000, search.maxAnagramCount);
    setSpinner(bestShownSpinner_, kFewestBestShown, kMostBestShown, settings.bestShown);
    const bool breadthFirst = search.breadthFirst;
    SendMessageW(breadthFirstButton_, BM_SETCHECK, breadthFirst ? BST_CHECKED : BST_UNCHECKED, 0);
    CheckDlgButton(window(), IDR_DEPTH_FIRST, breadthFirst ? BST_UNCHECKED : BST_CHECKED);
    for (const LeaveOutBox& box : kLeaveOutBoxes)
        CheckDlgButton(window(), box.id,
                       settings.leaveOut & box.kind ? BST_CHECKED : BST_UNCHECKED);
    setItemText(IDE_LEXICON_PATH, settings.lexiconPath);
    showProgramIcon(window(), dpi(), icon_);
    return true;
}

bool OptionsDialog::onCommand(int id, int, HWND) {
    switch (id) {
        case IDOK:
            accept();
            return true;
        case IDCANCEL:
            end(IDCANCEL);
            return true;
        case IDB_BROWSE:
            browse();
            return true;
        default:
            return false;
    }
}

void OptionsDialog::accept() {
    std::string path = itemText(IDE_LEXICON_PATH);
    if (!namesReadableLexicon(path)) {
        // Stored, such a path would fail at every start.
        showMessage(
            formatString(IDS_LEXICON_MISSING, path.c_str(), triedLexiconPaths(path).c_str()));
        SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(lexiconPathEdit_), TRUE);
        return;
    }
    SearchSettings& search = settings.search;
    search.minWordLength = spinnerPosition(minWordLengthSpinner_);
    search.maxWordCount = spinnerPosition(maxWordCountSpinner_);
    search.maxAnagramCount = spinnerPosition(maxAnagramCountSpinner_);
    search.breadthFirst = SendMessageW(breadthFirstButton_, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    settings.bestShown = spinnerPosition(bestShownSpinner_);
    settings.leaveOut = LeaveOutNothing;
    for (const LeaveOutBox& box : kLeaveOutBoxes) {
        if (IsDlgButtonChecked(window(), box.id) == BST_CHECKED) settings.leaveOut |= box.kind;
    }
    settings.lexiconPath = path;
    end(IDOK);
}

void OptionsDialog::browse() {
    // Offers the path as the dialog opened or as the last browse chose it.
    std::wstring offered = toUtf16(settings.lexiconPath);
    std::vector<wchar_t> file(kMaxStoredPathLength + 1);
    offered.copy(file.data(), file.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // The current directory stays put: a relative lexicon path is relative to it.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    settings.lexiconPath = toUtf8(file.data());
    setItemText(IDE_LEXICON_PATH, settings.lexiconPath);
}

}  // namespace scramblo::ui
