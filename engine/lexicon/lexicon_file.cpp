#include "lexicon/lexicon_file.h"

#include <filesystem>

#include "platform/platform.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace scramblo {
namespace {

namespace fs = std::filesystem;

constexpr size_t kReadSize = size_t{64} << 10;
constexpr char kCtrlZ = 26;  // ends a text file's input

// Whether the rest of the file, up to Ctrl-Z, is valid UTF-8 with at least
// one character beyond ASCII.
bool readsAsUtf8(std::streambuf& file) {
    std::vector<char> buffer(kReadSize + 4);
    size_t carried = 0;
    bool beyondAscii = false;
    for (;;) {
        auto read = static_cast<size_t>(
            file.sgetn(buffer.data() + carried, static_cast<std::streamsize>(kReadSize)));
        std::string_view bytes(buffer.data(), carried + read);
        bool atEnd = read == 0;
        size_t at = 0;
        while (at < bytes.size()) {
            auto byte = static_cast<unsigned char>(bytes[at]);
            if (byte == kCtrlZ) return beyondAscii;
            if (byte < 0x80) {
                ++at;
                continue;
            }
            char32_t codePoint;
            size_t length = decodeUtf8(bytes, at, codePoint);
            if (length == 0) {
                // Perhaps a character that the next read completes.
                if (!atEnd && bytes.size() - at < 4) break;
                return false;
            }
            beyondAscii = true;
            at += length;
        }
        if (atEnd) return beyondAscii;
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

std::unique_ptr<LexiconFile> LexiconFile::open(const std::string& path, ListEncoding encoding) {
    for (const std::string& candidate : lexiconCandidates(path)) {
        if (std::unique_ptr<std::filebuf> bytes = openFile(candidate)) {
            std::unique_ptr<LexiconFile> list = decode(std::move(bytes), encoding);
            list->path_ = candidate;
            return list;
        }
    }
    return nullptr;
}

std::unique_ptr<LexiconFile> LexiconFile::decode(std::unique_ptr<std::streambuf> bytes,
                                                 ListEncoding encoding) {
    std::unique_ptr<LexiconFile> list(new LexiconFile(std::move(bytes)));
    list->chooseEncoding(encoding);
    return list;
}

void LexiconFile::chooseEncoding(ListEncoding encoding) {
    char head[3] = {};
    auto read = bytes_->sgetn(head, 3);
    auto starts = [&](std::string_view mark) {
        return static_cast<size_t>(read) >= mark.size() &&
               std::string_view(head, mark.size()) == mark;
    };
    size_t mark = 0;
    if (starts("\xEF\xBB\xBF") && encoding != ListEncoding::Utf16LittleEndian &&
        encoding != ListEncoding::Utf16BigEndian) {
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
    bytes_->pubseekpos(0);
    if (encoding == ListEncoding::Detect) {
        verifiedUtf8_ = readsAsUtf8(*bytes_);
        encoding = verifiedUtf8_ ? ListEncoding::Utf8 : ListEncoding::Windows1252;
    }
    encoding_ = encoding;
    bytes_->pubseekpos(static_cast<std::streamoff>(mark));
    raw_.resize(kReadSize + 4);
}

LexiconFile::int_type LexiconFile::underflow() {
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

size_t LexiconFile::convert(std::string_view input, bool atEnd) {
    switch (encoding_) {
        case ListEncoding::Windows1252:
            appendWindows1252AsUtf8(text_, input);
            return input.size();
        case ListEncoding::Utf16LittleEndian:
        case ListEncoding::Utf16BigEndian: {
            size_t at = 0;
            for (; at + 2 <= input.size(); at += 2) {
                char32_t unit = utf16Unit(input.data() + at, encoding_);
                if (unit >= 0xD800 && unit < 0xDC00) {
                    if (at + 4 > input.size() && !atEnd)
                        break;  // its pair comes with the next read
                    char32_t low =
                        at + 4 <= input.size() ? utf16Unit(input.data() + at + 2, encoding_) : 0;
                    if (low >= 0xDC00 && low < 0xE000) {
                        appendUtf8(text_, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                        at += 2;
                        continue;
                    }
                    unit = 0xFFFD;
                } else if (unit >= 0xDC00 && unit < 0xE000) {
                    unit = 0xFFFD;
                }
                appendUtf8(text_, unit);
            }
            // A last odd byte is no character.
            return atEnd ? input.size() : at;
        }
        default: {
            // Found valid as a whole: every byte passes.
            if (verifiedUtf8_) {
                text_.append(input);
                return input.size();
            }
            // A byte that is no UTF-8 is taken as Windows-1252.
            size_t at = 0;
            while (at < input.size()) {
                size_t ascii = at;
                while (ascii < input.size() && static_cast<unsigned char>(input[ascii]) < 0x80)
                    ++ascii;
                text_.append(input, at, ascii - at);
                at = ascii;
                if (at == input.size()) break;
                char32_t codePoint;
                size_t length = decodeUtf8(input, at, codePoint);
                if (length == 0) {
                    if (!atEnd && input.size() - at < 4) break;  // perhaps cut off by the read
                    appendUtf8(text_, windows1252CodePoint(static_cast<unsigned char>(input[at])));
                    length = 1;
                } else {
                    text_.append(input, at, length);
                }
                at += length;
            }
            return at;
        }
    }
}

}  // namespace scramblo
