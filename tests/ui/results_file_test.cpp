// The results file as Save writes it: its bytes, and what a failed save leaves.
#include "main/results_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "settings/wide_text.h"
#include "program_process.h"
#include "temp_folder.h"

namespace scramblo::ui {
namespace {

namespace fs = std::filesystem;
using testing::bytesOf;
using testing::TempFolder;

constexpr char kMark[] = "\xEF\xBB\xBF";

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder)))
        names.insert(entry.path().filename().u8string());
    return names;
}

TEST(ResultsFile, AFloodOfLinesGoesInWholeAfterAMarkEachLineEndingInCrLfInPlaceOfTheFile) {
    TempFolder folder;
    // Łódź and Анаграммы in the name; an older, longer file under it.
    const std::string path =
        folder.write("wyniki \u0141\u00f3d\u017a \u0410\u043d\u0430.txt", std::string(5000000, 'x'));
    std::string box;
    for (int i = 0; i < 200000; ++i) {
        if (i > 0) box += "\r\n";
        box += "cr\u00e8me br\u00fbl\u00e9e \u0142\u00f3d\u017a " + std::to_string(i);
    }
    ASSERT_EQ(writeResultsFile(path, box), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(bytesOf(path), kMark + box + "\r\n");

    ASSERT_EQ(writeResultsFile(path, "one line"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(bytesOf(path), std::string(kMark) + "one line\r\n");
    ASSERT_EQ(writeResultsFile(path, ""), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(bytesOf(path), kMark);
    // Nothing beside it.
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{fs::u8path(path).filename().u8string()});
}

TEST(ResultsFile, ASaveThatFailsLeavesNothingUnderTheNameOrBesideIt) {
    TempFolder folder;
    const std::string kept = folder.write("kept.txt", "as it was\r\n");
    const std::string namedFolder = folder.write("taken.txt\\inside.txt", "");

    // A folder by that name cannot be replaced.
    const std::string taken = folder.path() + "\\taken.txt";
    EXPECT_NE(writeResultsFile(taken, "lines"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(fs::is_directory(fs::u8path(taken)));
    EXPECT_TRUE(fs::exists(fs::u8path(namedFolder)));
    // Nor a file that another program holds open.
    HANDLE held = CreateFileW(toUtf16(kept).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NE(writeResultsFile(kept, "lines"), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(held);
    EXPECT_EQ(bytesOf(kept), "as it was\r\n");
    // Nor a file in a folder that is not there.
    EXPECT_EQ(writeResultsFile(folder.path() + "\\missing\\lines.txt", "lines"),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"kept.txt", "taken.txt"}));

    std::optional<std::string> unwritable = testing::unwritableFolder();
    if (!unwritable) GTEST_SKIP() << "no folder here refuses a new file";
    const std::string refused = *unwritable + "\\lines.txt";
    EXPECT_NE(writeResultsFile(refused, "lines"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(fs::exists(fs::u8path(refused)));
}

}  // namespace
}  // namespace scramblo::ui
