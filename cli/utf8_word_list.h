// A UTF-8 word list as the lexicon load reads it: a stream buffer that yields
// the file line by line converted to Windows-1252. Characters that
// Windows-1252 lacks keep their UTF-8 bytes (see lexicon_filter.h for their
// letters). Line ends, CR and Ctrl-Z are ASCII and pass unchanged, so the
// load's text-mode line rules apply as they do to a Windows-1252 file.
#pragma once

#include <fstream>
#include <streambuf>
#include <string>

namespace scramblo::cli {

class Utf8WordList : public std::streambuf {
  public:
    explicit Utf8WordList(const std::string& path);

    // False when the file could not be opened or is a directory.
    bool isOpen() const { return file_.is_open(); }

  protected:
    int_type underflow() override;

  private:
    std::ifstream file_;
    std::string line_;  // the converted line being read
};

}  // namespace scramblo::cli
