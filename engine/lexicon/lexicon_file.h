// A word list as the load reads it: found by its path, its encoding read from
// the file itself, and its text handed on as UTF-8 without a byte-order mark.
#pragma once

#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

namespace scramblo {

enum class ListEncoding { Detect, Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The files that a lexicon path may name, as full UTF-8 paths in the order
// they are tried: a path with a root (a drive, a share, a leading separator)
// as it is; any other in the current folder, then in the program's own folder.
std::vector<std::string> lexiconCandidates(const std::string& path);

struct OpenedList {
    std::unique_ptr<std::streambuf> text;  // UTF-8
    std::string path;                      // the candidate that opened; empty for a stream
    ListEncoding encoding;                 // as read
};

// The first candidate of the path that opens as a file, read in `encoding`,
// or by Detect: a UTF-8 or UTF-16 byte-order mark; else UTF-8 when the file
// is valid UTF-8 with at least one character beyond ASCII; else Windows-1252.
// A byte-order mark of the encoding read is never part of the text. None when
// no candidate opens.
std::optional<OpenedList> openList(const std::string& path,
                                   ListEncoding encoding = ListEncoding::Detect);

// The same for the bytes of any stream that can go back to its start.
OpenedList decodeList(std::unique_ptr<std::streambuf> bytes,
                      ListEncoding encoding = ListEncoding::Detect);

}  // namespace scramblo
