#include "temp_folder.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace scramblo::testing {
namespace {

unsigned long processId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("scramblo-test-" + std::to_string(processId()) + "-" + std::to_string(serial++));
    // A run cut short leaves its folders, and a process id comes again (under
    // Wine, in each new server's sequence): the folder is made anew.
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    path_ = folder.u8string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(path_), ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    auto file = std::filesystem::u8path(path_) / std::filesystem::u8path(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.u8string();
}

std::string bytesOf(const std::string& path) {
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace scramblo::testing
