#include "text_stream.h"

#include <algorithm>
#include <cerrno>

#include "text/windows_1252.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "settings/wide_text.h"
#else
#include <unistd.h>
#endif

namespace scramblo::cli {

TextStream::TextStream(std::FILE* file, OutputEncoding encoding)
    : file_(file), encoding_(encoding) {
#ifdef _WIN32
    // A file, a pipe and NUL have no console mode.
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    DWORD mode;
    if (GetConsoleMode(handle, &mode)) console_ = handle;
    terminal_ = console_ != nullptr;
#else
    terminal_ = isatty(fileno(file)) != 0;
#endif
}

bool TextStream::write(std::string_view text) {
#ifdef _WIN32
    if (console_ != nullptr) {
        std::wstring wide = toUtf16(text);
        // Older consoles refuse a single write of some tens of kilobytes; a
        // piece ends on a whole character.
        constexpr size_t kPiece = 8192;
        for (size_t at = 0; at < wide.size();) {
            DWORD written = 0;
            auto piece = static_cast<DWORD>(std::min(kPiece, wide.size() - at));
            if (piece > 1 && IS_HIGH_SURROGATE(wide[at + piece - 1])) --piece;
            if (!WriteConsoleW(console_, wide.data() + at, piece, &written, nullptr) ||
                written == 0) {
                errno = EIO;
                return false;
            }
            at += written;
        }
        return true;
    }
#endif
    std::string converted;
    if (encoding_ == OutputEncoding::Windows1252) {
        converted = utf8ToWindows1252(text);
        text = converted;
    }
    return std::fwrite(text.data(), 1, text.size(), file_) == text.size();
}

bool TextStream::flush() {
    return std::fflush(file_) == 0;
}

void printMessage(TextStream& stream, std::string_view message) {
    std::string line = "scramblo-cli: ";
    line.append(message).append(1, '\n');
    stream.write(line);
    stream.flush();
}

}  // namespace scramblo::cli
