#include "main/results_file.h"

#include <algorithm>

#include "settings/wide_text.h"

namespace scramblo::ui {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Names tried beside the file before giving up on one of its own.
constexpr int kNamesTried = 100;
constexpr size_t kLargestWrite = size_t{1} << 24;

class OpenFile {
  public:
    explicit OpenFile(HANDLE handle) : handle_(handle) {}
    ~OpenFile() { close(); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool write(std::string_view bytes) const {
        while (!bytes.empty()) {
            DWORD written = 0;
            auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
            if (!WriteFile(handle_, bytes.data(), size, &written, nullptr)) return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    // Answers whether everything written reached the disk.
    bool close() {
        if (!opened()) return true;
        bool flushed = FlushFileBuffers(handle_) != FALSE;
        flushed = CloseHandle(handle_) != FALSE && flushed;
        handle_ = INVALID_HANDLE_VALUE;
        return flushed;
    }

  private:
    HANDLE handle_;
};

// A new file beside `target`, on its volume, so that it can take the
// target's name by a rename. Its name goes into `path`.
HANDLE createBeside(const std::wstring& target, std::wstring& path) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tried = 0; tried < kNamesTried; ++tried) {
        path = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(tried) + L".tmp";
        file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return file;
}

}  // namespace

DWORD writeResultsFile(const std::string& path, std::string_view boxText) {
    std::wstring target = toUtf16(path);
    std::wstring temporary;
    OpenFile file(createBeside(target, temporary));
    if (!file.opened()) return GetLastError();
    DWORD error = ERROR_SUCCESS;
    if (!file.write(kByteOrderMark) || !file.write(boxText) ||
        (!boxText.empty() && !file.write(kLineEnd))) {
        error = GetLastError();
    }
    if (!file.close() && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
    return error;
}

}  // namespace scramblo::ui
