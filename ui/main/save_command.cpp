#include "main/save_command.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app_ids.h"
#include "main/results_file.h"
#include "settings/settings_store.h"
#include "settings/wide_text.h"
#include "toolkit/format_string.h"

namespace scramblo::ui {
namespace {

// The phrase as a file name: without the characters that no name holds, and
// without the spaces and dots that Windows drops from a name's ends.
std::wstring offeredName(const std::string& phrase) {
    std::wstring name;
    for (wchar_t c : toUtf16(phrase)) {
        if (c >= L' ' && std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos)
            name += c;
    }
    size_t first = name.find_first_not_of(L" ."), last = name.find_last_not_of(L" .");
    if (first == std::wstring::npos) return {};
    return name.substr(first, last - first + 1) + L".txt";
}

// The string-table entry's filter pairs, parted by | there since an entry
// holds no zeros.
std::wstring filter(UINT id) {
    std::wstring pairs = toUtf16(loadString(id));
    std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
    return pairs;
}

std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    message.erase(message.find_last_not_of(L" \r\n") + 1);
    return message.empty() ? std::to_string(error) : toUtf8(message);
}

}  // namespace

void runSaveCommand(const Dialog& window, int boxId, const std::string& phrase) {
    std::vector<wchar_t> file(kMaxStoredPathLength + 1);
    offeredName(phrase).copy(file.data(), file.size() - 1);
    std::wstring filters = filter(IDS_SAVE_FILTER);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window.window();
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"txt";
    // The file is made only once its lines are written (see results_file.h),
    // and the current directory, against which a lexicon path is taken, stays.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE;
    if (!GetSaveFileNameW(&dialog)) return;

    std::string path = toUtf8(file.data());
    DWORD error = writeResultsFile(path, window.itemText(boxId));
    if (error != ERROR_SUCCESS) {
        window.showMessage(
            formatString(IDS_SAVE_FAILED, path.c_str(), systemMessage(error).c_str()));
    }
}

}  // namespace scramblo::ui
