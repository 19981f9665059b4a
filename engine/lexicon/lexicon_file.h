// A word list as the load reads it: found by its path, its encoding read from
// the file itself, and its text handed on as UTF-8 without a byte-order mark.
#pragma once

#include <fstream>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace scramblo {

enum class ListEncoding { Detect, Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The files that a lexicon path may name, as full UTF-8 paths in the order
// they are tried: a path with a root (a drive, a share, a leading separator)
// as it is; any other in the current folder, then in the program's own folder.
std::vector<std::string> lexiconCandidates(const std::string& path);

class LexiconFile : public std::streambuf {
  public:
    // The first candidate of the path that opens as a file, read in
    // `encoding`, or by Detect: a UTF-8 or UTF-16 byte-order mark; else UTF-8
    // when the file is valid UTF-8 with at least one character beyond ASCII;
    // else Windows-1252. None when no candidate opens. A byte-order mark of the
    // encoding read is never part of the text.
    static std::unique_ptr<LexiconFile> open(const std::string& path,
                                             ListEncoding encoding = ListEncoding::Detect);
    // The same for the bytes of any stream that can go back to its start.
    static std::unique_ptr<LexiconFile> decode(std::unique_ptr<std::streambuf> bytes,
                                               ListEncoding encoding = ListEncoding::Detect);

    ListEncoding encoding() const { return encoding_; }
    // The candidate that opened; empty for a stream that was decoded.
    const std::string& path() const { return path_; }

    LexiconFile(const LexiconFile&) = delete;
    LexiconFile& operator=(const LexiconFile&) = delete;

  protected:
    int_type underflow() override;

  private:
    explicit LexiconFile(std::unique_ptr<std::streambuf> bytes) : bytes_(std::move(bytes)) {}
    void chooseEncoding(ListEncoding encoding);
    // Converts the start of `input` into `text_`; answers the bytes taken. A
    // character cut off by the end of a read is left for the next one.
    size_t convert(std::string_view input, bool atEnd);

    std::unique_ptr<std::streambuf> bytes_;
    std::string path_;
    ListEncoding encoding_ = ListEncoding::Windows1252;
    bool verifiedUtf8_ = false;  // read as valid UTF-8 up to Ctrl-Z or its end
    std::vector<char> raw_;
    size_t carried_ = 0;  // bytes at the start of raw_ left from the last read
    std::string text_;    // the UTF-8 text of the last read
};

}  // namespace scramblo
