#include "lexicon/lexicon_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace scramblo {
namespace {

namespace fs = std::filesystem;

constexpr size_t kReadSize = size_t{64} << 10;
constexpr char kCtrlZ = 26;  // ends a text file's input

// What the rest of the file holds up to Ctrl-Z: ASCII alone, valid UTF-8
// with characters beyond ASCII, or anything else.
enum class Text { Ascii, Utf8, Other };

Text scanText(std::streambuf& file) {
    std::vector<char> buffer(kReadSize + 4);
    size_t carried = 0;
    Text text = Text::Ascii;
    for (;;) {
        auto read = static_cast<size_t>(
            file.sgetn(buffer.data() + carried, static_cast<std::streamsize>(kReadSize)));
        std::string_view bytes(buffer.data(), carried + read);
        bool atEnd = read == 0;
        if (const void* ctrlZ = std::memchr(bytes.data(), kCtrlZ, bytes.size())) {
            bytes = bytes.substr(
                0, static_cast<size_t>(static_cast<const char*>(ctrlZ) - bytes.data()));
            atEnd = true;
        }
        size_t at = 0;
        while ((at += asciiPrefixLength(bytes.substr(at))) < bytes.size()) {
            char32_t codePoint;
            size_t length = decodeUtf8(bytes, at, codePoint);
            if (length == 0) {
                // Perhaps a character that the next read completes.
                if (!atEnd && bytes.size() - at < 4) break;
                return Text::Other;
            }
            text = Text::Utf8;
            at += length;
        }
        if (atEnd) return text;
        carried = bytes.size() - at;
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), buffer.begin());
    }
}

char32_t utf16Unit(const char* at, ListEncoding encoding) {
    auto first = static_cast<unsigned char>(at[0]), second = static_cast<unsigned char>(at[1]);
    return encoding == ListEncoding::Utf16LittleEndian ? first | second << 8 : first << 8 | second;
}

// A directory opens as a file on some platforms; it is never a lexicon.
std::unique_ptr<std::filebuf> openFile(const std::string& path) {
    std::error_code error;
    fs::path file = fs::u8path(path);
    if (path.empty() || fs::is_directory(file, error)) return nullptr;
    auto bytes = std::make_unique<std::filebuf>();
    if (bytes->open(file, std::ios::in | std::ios::binary) == nullptr) return nullptr;
    return bytes;
}

// Appends UTF-16 as UTF-8; answers the bytes taken. An unpaired surrogate
// becomes U+FFFD; a pair cut off by the end of a read waits for the next.
size_t appendUtf16AsUtf8(std::string& out, std::string_view input, ListEncoding encoding,
                         bool atEnd) {
    size_t at = 0;
    for (; at + 2 <= input.size(); at += 2) {
        char32_t unit = utf16Unit(input.data() + at, encoding);
        if (unit >= 0xD800 && unit < 0xDC00) {
            if (at + 4 > input.size() && !atEnd) break;
            char32_t low = at + 4 <= input.size() ? utf16Unit(input.data() + at + 2, encoding) : 0;
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
            unit = 0xFFFD;
        } else if (unit >= 0xDC00 && unit < 0xE000) {
            unit = 0xFFFD;
        }
        appendUtf8(out, unit);
    }
    // A last odd byte is no character.
    return atEnd ? input.size() : at;
}

// Appends text read as UTF-8, a byte that is no UTF-8 taken as Windows-1252;
// answers the bytes taken. A character cut off by the end of a read waits for
// the next.
size_t appendAsValidUtf8(std::string& out, std::string_view input, bool atEnd) {
    size_t at = 0;
    for (size_t ascii; (ascii = asciiPrefixLength(input.substr(at))) != input.size() - at;) {
        out.append(input, at, ascii);
        at += ascii;
        char32_t codePoint;
        size_t length = decodeUtf8(input, at, codePoint);
        if (length == 0) {
            if (!atEnd && input.size() - at < 4) return at;
            appendUtf8(out, windows1252CodePoint(static_cast<unsigned char>(input[at])));
            length = 1;
        } else {
            out.append(input, at, length);
        }
        at += length;
    }
    out.append(input, at, input.size() - at);
    return input.size();
}

// A list's text converted to UTF-8 as the load reads it.
class DecodedList : public std::streambuf {
  public:
    DecodedList(std::unique_ptr<std::streambuf> bytes, ListEncoding encoding)
        : bytes_(std::move(bytes)), encoding_(encoding), raw_(kReadSize + 4) {}

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        text_.clear();
        while (text_.empty()) {
            auto read = static_cast<size_t>(
                bytes_->sgetn(raw_.data() + carried_, static_cast<std::streamsize>(kReadSize)));
            size_t available = carried_ + read;
            if (available == 0) return traits_type::eof();
            size_t taken = convert(std::string_view(raw_.data(), available), read == 0);
            carried_ = available - taken;
            std::copy(raw_.begin() + static_cast<std::ptrdiff_t>(taken),
                      raw_.begin() + static_cast<std::ptrdiff_t>(available), raw_.begin());
        }
        setg(text_.data(), text_.data(), text_.data() + text_.size());
        return traits_type::to_int_type(text_[0]);
    }

  private:
    // Converts the start of `input` into `text_`; answers the bytes taken. A
    // character cut off by the end of a read is left for the next one.
    size_t convert(std::string_view input, bool atEnd) {
        switch (encoding_) {
            case ListEncoding::Windows1252:
                appendWindows1252AsUtf8(text_, input);
                return input.size();
            case ListEncoding::Utf16LittleEndian:
            case ListEncoding::Utf16BigEndian:
                return appendUtf16AsUtf8(text_, input, encoding_, atEnd);
            default:
                return appendAsValidUtf8(text_, input, atEnd);
        }
    }

    std::unique_ptr<std::streambuf> bytes_;
    ListEncoding encoding_;
    std::vector<char> raw_;
    size_t carried_ = 0;  // bytes at the start of raw_ left from the last read
    std::string text_;    // the UTF-8 text of the last read
};

}  // namespace

std::vector<std::string> lexiconCandidates(const std::string& path) {
    fs::path given = fs::u8path(path);
    // Rooted, not only absolute: the library takes neither a share nor a
    // folder of the current drive (\\lists) for absolute.
    if (path.empty() || given.has_root_path()) return {path};
    std::vector<std::string> candidates;
    std::error_code error;
    fs::path current = fs::current_path(error);
    candidates.push_back(error ? path : (current / given).u8string());
    std::string programFolder = platform::programFolder();
    if (!programFolder.empty()) {
        std::string besideProgram = (fs::u8path(programFolder) / given).u8string();
        if (besideProgram != candidates[0]) candidates.push_back(besideProgram);
    }
    return candidates;
}

std::optional<OpenedList> openList(const std::string& path, ListEncoding encoding) {
    for (const std::string& candidate : lexiconCandidates(path)) {
        if (std::unique_ptr<std::filebuf> bytes = openFile(candidate)) {
            OpenedList list = decodeList(std::move(bytes), encoding);
            list.path = candidate;
            return list;
        }
    }
    return std::nullopt;
}

OpenedList decodeList(std::unique_ptr<std::streambuf> bytes, ListEncoding encoding) {
    char head[3] = {};
    auto read = bytes->sgetn(head, 3);
    auto starts = [&](std::string_view mark) {
        return static_cast<size_t>(read) >= mark.size() &&
               std::string_view(head, mark.size()) == mark;
    };
    bool utf16 =
        encoding == ListEncoding::Utf16LittleEndian || encoding == ListEncoding::Utf16BigEndian;
    size_t mark = 0;
    if (starts("\xEF\xBB\xBF") && !utf16) {
        mark = 3;
        if (encoding == ListEncoding::Detect) encoding = ListEncoding::Utf8;
    } else if (starts("\xFF\xFE") &&
               (encoding == ListEncoding::Detect || encoding == ListEncoding::Utf16LittleEndian)) {
        mark = 2;
        encoding = ListEncoding::Utf16LittleEndian;
    } else if (starts("\xFE\xFF") &&
               (encoding == ListEncoding::Detect || encoding == ListEncoding::Utf16BigEndian)) {
        mark = 2;
        encoding = ListEncoding::Utf16BigEndian;
    }
    // Found to be ASCII or valid UTF-8 as a whole, the bytes pass as they stand.
    bool passes = false;
    if (encoding == ListEncoding::Detect) {
        bytes->pubseekpos(0);
        Text text = scanText(*bytes);
        passes = text != Text::Other;
        encoding = text == Text::Utf8 ? ListEncoding::Utf8 : ListEncoding::Windows1252;
    }
    bytes->pubseekpos(static_cast<std::streamoff>(mark));
    if (passes) return {std::move(bytes), {}, encoding};
    return {std::make_unique<DecodedList>(std::move(bytes), encoding), {}, encoding};
}

}  // namespace scramblo
