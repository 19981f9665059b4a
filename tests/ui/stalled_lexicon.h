// A lexicon file that is a named pipe: a load of it reads until the test
// finishes the file, however long that takes.
#pragma once

#include <windows.h>

#include <string>

namespace scramblo::testing {

class StalledLexicon {
  public:
    StalledLexicon() {
        static int serial = 0;
        path_ = "\\\\.\\pipe\\scramblo-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(serial++);
        pipe_ = CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                 4096, 4096, 0, nullptr);
    }
    ~StalledLexicon() { finish(""); }
    StalledLexicon(const StalledLexicon&) = delete;
    StalledLexicon& operator=(const StalledLexicon&) = delete;

    const std::string& path() const { return path_; }
    bool waitForReader() {
        return ConnectNamedPipe(pipe_, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    }

    // Writes the last lines and ends the file.
    void finish(const std::string& lines) {
        if (pipe_ == INVALID_HANDLE_VALUE) return;
        DWORD written;
        WriteFile(pipe_, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        FlushFileBuffers(pipe_);
        CloseHandle(pipe_);
        pipe_ = INVALID_HANDLE_VALUE;
    }

  private:
    std::string path_;
    HANDLE pipe_;
};

}  // namespace scramblo::testing
