// The installer as a Windows user meets it, in a fresh Wine prefix whose
// language the locale (LANG) sets: run silently, the program started as its
// shortcut starts it, scramblo-cli run from the install folder, the entry in
// the list of installed programs, the uninstaller, which leaves nothing of
// ours but the user's settings, and installs into other folders afterwards.
// The tests of the suite build on each other, in the order written: install,
// use, install again, uninstall, install elsewhere.
#include <windows.h>
// The shell's declarations need windows.h before them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli_process.h"
#include "interface_texts.h"
#include "main_dialog_ids.h"
#include "program_process.h"
#include "reference_search.h"
#include "scramblo_version.h"
#include "settings/settings_store.h"
#include "settings_registry.h"
#include "ui_test_support.h"

namespace scramblo::testing {
namespace {

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Scramblo";
constexpr DWORD kInstallerTimeoutMs = 60000;

// Paths of the default install: the folders of this prefix's user are ASCII.
std::string knownFolder(int id) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string installFolder() {
    return knownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Scramblo";
}

std::string shortcutPath() {
    return knownFolder(CSIDL_PROGRAMS) + "\\Scramblo.lnk";
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The unpacked portable zip.
std::string portableFile(const char* name) {
    return windowsPath(PORTABLE_FOLDER) + "\\" + name;
}

// A list of the user's own, outside the install folder.
std::string ownList() {
    return knownFolder(CSIDL_LOCAL_APPDATA) + "\\Mine.txt";
}

// The list that the program starts with for the user's language.
const char* usersList() {
    return dutchInterface() ? "WoordenLijst.txt" : "EnglishWordList.txt";
}

// The number of words the program shows for a list: its distinct non-empty lines.
int wordsIn(const std::string& path) {
    std::ifstream file(path);
    std::set<std::string> words;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty()) words.insert(line);
    }
    return static_cast<int>(words.size());
}

// Each file of a folder by name, with its bytes.
std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[found.cFileName] = cli::testing::readFile(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// Runs a command line and waits for it and for every process that it starts:
// the uninstaller hands its work to a copy of itself and returns at once.
// Answers the first process's exit code.
std::optional<DWORD> runAndWait(std::wstring commandLine) {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        CloseHandle(job);
        return std::nullopt;
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    std::optional<DWORD> exitCode;
    DWORD code;
    if (WaitForSingleObject(process.hProcess, kInstallerTimeoutMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &code))
        exitCode = code;
    bool allEnded = waitUntil(
        [job] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
            return QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                             sizeof accounting, nullptr) &&
                   accounting.ActiveProcesses == 0;
        },
        kInstallerTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    return allEnded ? exitCode : std::nullopt;
}

// Runs the installer silently; `options` may name the folder (" /D=...").
std::optional<DWORD> install(const std::wstring& options = L"") {
    return runAndWait(L"\"" + wide(windowsPath(SCRAMBLO_SETUP)) + L"\" /S" + options);
}

// A text value of the user's registry in UTF-16, as a path may need.
std::optional<std::wstring> registryText(const char* key, const char* name) {
    wchar_t text[1024];
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, wide(key).c_str(), wide(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

std::optional<std::wstring> uninstallText(const char* name) {
    return registryText(kUninstallKey, name);
}

std::optional<std::wstring> storedLexicon() {
    return registryText(kSettingsKey, kLexiconPathValue);
}

// Runs the uninstaller silently, as the Uninstall entry tells.
std::optional<DWORD> uninstall() {
    std::optional<std::wstring> command = uninstallText("QuietUninstallString");
    return command ? runAndWait(*command) : std::nullopt;
}

std::optional<DWORD> uninstallNumber(const char* name) {
    DWORD number;
    DWORD size = sizeof number;
    if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &number,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

bool uninstallKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct Shortcut {
    std::wstring target;
    std::wstring folder;
};

std::optional<Shortcut> readShortcut() {
    std::optional<Shortcut> shortcut;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide(shortcutPath()).c_str(), STGM_READ))) {
        wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        shortcut = Shortcut{target, folder};
    }
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    return shortcut;
}

// Starts the program in the folder and waits until it shows the word count of
// the list for the user's language.
void expectStartsOnTheUsersList(const std::wstring& program, const std::wstring& folder) {
    const InterfaceTexts& t = expectedTexts();
    ProgramProcess process(program, folder);
    ASSERT_NE(process.window(), nullptr);
    EXPECT_EQ(windowText(process.window()), t.title);
    std::string words = format(t.lexicon, wordsIn(portableFile(usersList())));
    EXPECT_TRUE(waitUntil([&] { return process.text(IDT_MAIN_LEXICON) == words; }, 30000))
        << process.text(IDT_MAIN_LEXICON) << " | " << process.text(IDE_MAIN_RESULTS);
    PostMessageA(process.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(process.exitCode(5000), 0u);
}

class InstalledPackage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        CoInitialize(nullptr);
        ASSERT_FALSE(uninstallKeyExists()) << "the prefix is not fresh";
        ASSERT_EQ(install(), 0u);
    }
    static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(InstalledPackage, HoldsTheFilesOfThePortableZipAndTheUninstaller) {
    std::map<std::string, std::string> installed = filesIn(installFolder());
    EXPECT_EQ(installed.erase("Uninstall.exe"), 1u);
    std::map<std::string, std::string> portable = filesIn(windowsPath(PORTABLE_FOLDER));
    std::vector<std::string> names;
    for (const auto& file : portable) names.push_back(file.first);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "EnglishWordList-commonness.txt", "EnglishWordList-copyright.txt",
                         "EnglishWordList.txt", "README.txt", "WoordenLijst-commonness.txt",
                         "WoordenLijst-copyright.txt", "WoordenLijst.txt", "scramblo-cli.exe",
                         "scramblo.exe"}));
    for (const auto& [name, bytes] : portable) {
        EXPECT_EQ(installed.count(name), 1u) << name;
        EXPECT_TRUE(installed[name] == bytes) << name << " differs";
    }
    EXPECT_EQ(installed.size(), portable.size());
}

TEST_F(InstalledPackage, ShortcutStartsTheProgramInTheInstallFolderOnTheListOfTheUsersLanguage) {
    if (dutchInterface()) {
        EXPECT_EQ(storedLexicon(), std::nullopt);  // the program's default, WoordenLijst.txt
    } else {
        EXPECT_EQ(storedLexicon(), wide(installFolder() + "\\EnglishWordList.txt"));
    }
    std::optional<Shortcut> shortcut = readShortcut();
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->target, wide(installFolder() + "\\scramblo.exe"));
    EXPECT_EQ(shortcut->folder, wide(installFolder()));
    expectStartsOnTheUsersList(shortcut->target, shortcut->folder);
}

TEST_F(InstalledPackage, CliInTheInstallFolderFindsTheAnagramsOfListen) {
    cli::testing::RunOptions options;
    options.program = installFolder() + "\\scramblo-cli.exe";
    options.directory = installFolder();
    // Answers the anagrams found with the arguments, sorted, and expects those of the list.
    auto findListen = [&](std::vector<std::string> arguments, const char* list) {
        arguments.push_back("listen");
        cli::testing::ProcessResult result = cli::testing::runCli(arguments, options);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> found = result.lines();
        std::vector<std::string> expected = referenceAnagrams(portableFile(list), "listen");
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected) << list;
        return found;
    };
    std::vector<std::string> found =
        findListen({"-l", "EnglishWordList.txt"}, "EnglishWordList.txt");
    for (const char* word : {"enlist", "inlets", "listen", "silent", "tinsel"})
        EXPECT_TRUE(std::binary_search(found.begin(), found.end(), word)) << word;

    // Without -l, from any folder, the list of the user's language: the one
    // that the installer stored, or WoordenLijst.txt beside the program.
    cli::testing::TempFolder elsewhere;
    options.directory = elsewhere.path();
    findListen({}, usersList());

    EXPECT_EQ(cli::testing::runCli({"--version"}, options).out,
              "scramblo-cli " SCRAMBLO_VERSION "\n");
}

TEST_F(InstalledPackage, ProgramCarriesTheVersionInItsVersionRecordAndManifest) {
    std::string program = installFolder() + "\\scramblo.exe";
    std::vector<char> record(GetFileVersionInfoSizeA(program.c_str(), nullptr));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(SCRAMBLO_VERSION_MINOR, SCRAMBLO_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(SCRAMBLO_VERSION_TWEAK, SCRAMBLO_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\StringFileInfo\\040904b0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(text, SCRAMBLO_VERSION);

    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                    SizeofResource(module, manifest));
    EXPECT_NE(xml.find("name=\"Brevinck.Scramblo\" version=\"" SCRAMBLO_VERSION "\""),
              std::string::npos)
        << xml;
    FreeLibrary(module);
}

TEST_F(InstalledPackage, IsListedWithNameVersionPublisherIconAndSize) {
    std::string folder = installFolder();
    EXPECT_EQ(uninstallText("DisplayName"), L"Scramblo");
    EXPECT_EQ(uninstallText("DisplayVersion"), wide(SCRAMBLO_VERSION));
    EXPECT_EQ(uninstallText("Publisher"), L"Brevinck");
    EXPECT_EQ(uninstallText("DisplayIcon"), wide(folder + "\\scramblo.exe,0"));
    EXPECT_EQ(uninstallText("UninstallString"), wide("\"" + folder + "\\Uninstall.exe\""));
    EXPECT_EQ(uninstallText("QuietUninstallString"), wide("\"" + folder + "\\Uninstall.exe\" /S"));
    size_t bytes = 0;
    for (const auto& file : filesIn(folder)) bytes += file.second.size();
    EXPECT_EQ(uninstallNumber("EstimatedSize"), bytes / 1024);
}

// A bare file name, which older installs stored, stays, even one that the
// install folder lacks; so does the user's own list, for the tests after this.
TEST_F(InstalledPackage, InstallingAgainKeepsABareFileNameAndTheUsersOwnList) {
    SettingsRegistry::putString(kLexiconPathValue, "Mine.txt");
    EXPECT_EQ(install(), 0u);
    EXPECT_EQ(storedLexicon(), L"Mine.txt");

    std::ofstream(ownList()) << "scramblo\n";
    SettingsRegistry::putString(kLexiconPathValue, ownList());
    EXPECT_EQ(install(), 0u);
    EXPECT_EQ(storedLexicon(), wide(ownList()));
    EXPECT_TRUE(exists(wide(installFolder() + "\\scramblo.exe")));
}

TEST_F(InstalledPackage, UninstallerLeavesNothingOfOursButTheSettings) {
    EXPECT_EQ(uninstall(), 0u);
    EXPECT_FALSE(exists(wide(installFolder())));
    EXPECT_FALSE(exists(wide(shortcutPath())));
    EXPECT_FALSE(uninstallKeyExists());
    EXPECT_EQ(storedLexicon(), wide(ownList()));
}

// A stored list that went with the removed folder gives way to the list of
// the user's language in the new one, whatever the language of the old one.
TEST_F(InstalledPackage, InstallingIntoAnotherFolderStoresItsListInPlaceOfARemovedOne) {
    SettingsRegistry::putString(kLexiconPathValue, installFolder() + "\\EnglishWordList.txt");
    std::wstring folder = wide(knownFolder(CSIDL_LOCAL_APPDATA) + "\\Anagrams");
    ASSERT_EQ(install(L" /D=" + folder), 0u);
    EXPECT_EQ(storedLexicon(), folder + L"\\" + wide(usersList()));
    expectStartsOnTheUsersList(folder + L"\\scramblo.exe", folder);
    EXPECT_EQ(uninstall(), 0u);
}

// A folder that the ANSI code page cannot name, after the folder above was
// removed with its stored list.
TEST_F(InstalledPackage, InstallingIntoAPolishAndCyrillicFolderStoresTheWholePath) {
    std::wstring folder = wide(knownFolder(CSIDL_LOCAL_APPDATA)) +
                          L"\\Programs\\\u0141\u00f3d\u017a\\\u0410\u043d\u0430\u0433\u0440\u0430"
                          L"\u043c\u043c\u044b";  // Łódź\Анаграммы
    ASSERT_EQ(install(L" /D=" + folder), 0u);
    std::wstring list = folder + L"\\" + wide(usersList());
    EXPECT_EQ(storedLexicon(), list);
    EXPECT_TRUE(exists(list));
    EXPECT_EQ(uninstallText("InstallLocation"), folder);
    std::optional<Shortcut> shortcut = readShortcut();
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->folder, folder);
    expectStartsOnTheUsersList(folder + L"\\scramblo.exe", folder);
    EXPECT_EQ(uninstall(), 0u);
    EXPECT_FALSE(exists(folder));
}

}  // namespace
}  // namespace scramblo::testing
