#include "temp_folder.h"

#include <atomic>
#include <filesystem>
#include <fstream>

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

}  // namespace scramblo::testing
