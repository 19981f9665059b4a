// A fresh folder in the temporary directory for a test's files.
#pragma once

#include <string>

namespace scramblo::testing {

// Removed with all it holds when the test lets go of it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Paths are UTF-8, as the engine takes them.
    const std::string& path() const { return path_; }
    // Writes the file `name` (which may lead through folders of its own,
    // made as needed) in the folder; answers its full path.
    std::string write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

// The bytes of the file at `path` (UTF-8); none when it cannot be read.
std::string bytesOf(const std::string& path);

}  // namespace scramblo::testing
