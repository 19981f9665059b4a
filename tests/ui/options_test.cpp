#include <windows.h>
// The common controls' declarations need windows.h before them.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "interface_texts.h"
#include "jobs/job_driver.h"
#include "options/options_command.h"
#include "options_dialog_ids.h"
#include "platform/platform_win32.h"
#include "settings/settings_store.h"
#include "settings/wide_text.h"
#include "settings_registry.h"
#include "temp_folder.h"
#include "toolkit/app_module.h"
#include "ui_test_support.h"

namespace scramblo::ui {
namespace {

namespace fs = std::filesystem;
using testing::CurrentFolder;
using testing::DialogAnswerer;
using testing::dialogTexts;
using testing::focusOf;
using testing::kFileNameBox;
using testing::postButton;
using testing::pressButton;
using testing::pressKey;
using testing::SettingsRegistry;
using testing::TempFolder;
using testing::waitForDialog;
using testing::waitUntil;
using testing::waitUntilGone;
using testing::windowText;

// The main window as the command sees it; loads are only recorded.
class TestHost : public OptionsHost {
  public:
    UserSettings& settings() override { return stored; }
    void startLoad(const std::string& loadPath) override { loads.push_back(loadPath); }

    UserSettings stored{{}, "WoordenLijst.txt"};
    std::vector<std::string> loads;
};

// Each kind of line left out: its check box and its registry value.
struct LeaveOutKind {
    uint32_t kind;
    int box;
    const char* value;
};

constexpr LeaveOutKind kLeaveOutKinds[] = {
    {LeaveOutDigits, IDC_LEAVE_OUT_DIGITS, kLeaveOutDigitsValue},
    {LeaveOutAbbreviations, IDC_LEAVE_OUT_ABBREVIATIONS, kLeaveOutAbbreviationsValue},
    {LeaveOutNames, IDC_LEAVE_OUT_NAMES, kLeaveOutNamesValue},
    {LeaveOutApostrophes, IDC_LEAVE_OUT_APOSTROPHES, kLeaveOutApostrophesValue},
    {LeaveOutCaseVariants, IDC_LEAVE_OUT_CASE_VARIANTS, kLeaveOutCaseVariantsValue},
};

// What the dialog showed when it opened.
struct Shown {
    std::string minWordLength;
    std::string maxWordCount;
    std::string maxAnagramCount;
    UINT breadthFirst;
    UINT depthFirst;
    std::string lexiconPath;
    uint32_t leaveOut;  // the kinds whose boxes were ticked
    std::string bestShown;
};

std::string controlText(HWND dialog, int id) {
    return windowText(GetDlgItem(dialog, id));
}

Shown readShown(HWND dialog) {
    uint32_t ticked = 0;
    for (const LeaveOutKind& kind : kLeaveOutKinds) {
        if (IsDlgButtonChecked(dialog, kind.box) == BST_CHECKED) ticked |= kind.kind;
    }
    return {controlText(dialog, IDE_MIN_WORD_LENGTH),
            controlText(dialog, IDE_MAX_WORD_COUNT),
            controlText(dialog, IDE_MAX_ANAGRAM_COUNT),
            IsDlgButtonChecked(dialog, IDR_BREADTH_FIRST),
            IsDlgButtonChecked(dialog, IDR_DEPTH_FIRST),
            controlText(dialog, IDE_LEXICON_PATH),
            ticked,
            controlText(dialog, IDE_BEST_SHOWN)};
}

// The text as UTF-8, sent as the Unicode text it is.
void type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, toUtf16(text).c_str());
}

void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class OptionsCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        AppModule::init(GetModuleHandleA(nullptr), nullptr);
    }

    // Runs the command while `answer` works its dialog from a second thread.
    void run(const DialogAnswerer::Answer& answer) {
        DialogAnswerer answerer([&answer](HWND dialog) {
            answer(dialog);
            // An answer cut short by a failed assertion must not leave the command waiting.
            if (!waitUntilGone(dialog, 3000)) postButton(dialog, IDCANCEL);
        });
        runOptionsCommand(host, nullptr);
        ASSERT_TRUE(answerer.finish()) << "the Options dialog did not appear";
    }

    // Presses the browse button, types `name` into the Open-file dialog and
    // accepts it (or cancels when `name` is empty); answers the name offered.
    std::string browse(HWND dialog, const std::string& name) {
        postButton(dialog, IDB_BROWSE);
        HWND files = waitForDialog(uiThread, dialog);
        if (files == nullptr) return "(no Open-file dialog)";
        std::string offered = controlText(files, kFileNameBox);
        type(files, kFileNameBox, name);
        pressButton(files, name.empty() ? IDCANCEL : IDOK);
        EXPECT_TRUE(waitUntilGone(files));
        return offered;
    }

    void expectHostUnchanged() {
        EXPECT_EQ(host.stored.search.minWordLength, 3u);
        EXPECT_EQ(host.stored.search.maxWordCount, 0u);
        EXPECT_EQ(host.stored.search.maxAnagramCount, 0u);
        EXPECT_TRUE(host.stored.search.breadthFirst);
        EXPECT_EQ(host.stored.lexiconPath, "WoordenLijst.txt");
        EXPECT_EQ(host.stored.leaveOut, 0u);
        EXPECT_EQ(host.stored.bestShown, 100u);
        EXPECT_TRUE(host.loads.empty());
        EXPECT_FALSE(SettingsRegistry::keyExists());
    }

    SettingsRegistry registry;
    TestHost host;
    const DWORD uiThread = GetCurrentThreadId();
    // The current folder, which holds the host's list.
    TempFolder lists;
    CurrentFolder current{lists.path()};
    const std::string defaultList = lists.write("WoordenLijst.txt", "listen\n");
};

TEST_F(OptionsCommand, FirstOkWithoutChangesCreatesTheKeyWithEveryValueAndLoadsNothing) {
    Shown shown{};
    run([&](HWND dialog) {
        EXPECT_FALSE(SettingsRegistry::keyExists());
        shown = readShown(dialog);
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(shown.minWordLength, "3");
    EXPECT_EQ(shown.maxWordCount, "0");
    EXPECT_EQ(shown.maxAnagramCount, "0");
    EXPECT_EQ(shown.breadthFirst, BST_CHECKED);
    EXPECT_EQ(shown.depthFirst, BST_UNCHECKED);
    EXPECT_EQ(shown.lexiconPath, "WoordenLijst.txt");
    EXPECT_EQ(shown.leaveOut, 0u);
    EXPECT_EQ(shown.bestShown, "100");

    EXPECT_TRUE(host.loads.empty());
    EXPECT_EQ(SettingsRegistry::dword(kMinWordLengthValue), 3u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxWordCountValue), 0u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxAnagramCountValue), 0u);
    EXPECT_EQ(SettingsRegistry::dword(kBreadthFirstValue), 1u);
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), std::string("WoordenLijst.txt", 17));
    for (const LeaveOutKind& kind : kLeaveOutKinds)
        EXPECT_EQ(SettingsRegistry::dword(kind.value), 0u) << kind.value;
    EXPECT_EQ(SettingsRegistry::dword(kBestShownValue), 100u);
    EXPECT_EQ(SettingsRegistry::dword(kBestFirstValue), 0u);
}

TEST_F(OptionsCommand, OkTakesWhatTheControlsHoldAndLoadsAChangedPath) {
    std::string other = lists.write("nederlands.txt", "silent\n");
    run([&](HWND dialog) {
        type(dialog, IDE_MIN_WORD_LENGTH, "2");
        type(dialog, IDE_MAX_WORD_COUNT, "4");
        type(dialog, IDE_MAX_ANAGRAM_COUNT, "1500");
        click(dialog, IDR_DEPTH_FIRST);
        type(dialog, IDE_LEXICON_PATH, other);
        click(dialog, IDC_LEAVE_OUT_NAMES);
        type(dialog, IDE_BEST_SHOWN, "250");
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(host.stored.search.minWordLength, 2u);
    EXPECT_EQ(host.stored.search.maxWordCount, 4u);
    EXPECT_EQ(host.stored.search.maxAnagramCount, 1500u);
    EXPECT_FALSE(host.stored.search.breadthFirst);
    EXPECT_EQ(host.stored.lexiconPath, other);
    EXPECT_EQ(host.stored.leaveOut, LeaveOutNames);
    EXPECT_EQ(host.stored.bestShown, 250u);
    // One load for the new path with the names left out.
    EXPECT_EQ(host.loads, std::vector<std::string>{other});

    EXPECT_EQ(SettingsRegistry::dword(kMaxAnagramCountValue), 1500u);
    EXPECT_EQ(SettingsRegistry::dword(kBreadthFirstValue), 0u);
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), other + '\0');
    EXPECT_EQ(SettingsRegistry::dword(kLeaveOutNamesValue), 1u);
    EXPECT_EQ(SettingsRegistry::dword(kBestShownValue), 250u);
}

TEST_F(OptionsCommand, EachKindLeftOutHasItsBoxAndValueAndLoadsTheSameListAgain) {
    for (const LeaveOutKind& kind : kLeaveOutKinds) {
        SCOPED_TRACE(kind.value);
        host.loads.clear();
        run([&](HWND dialog) {
            click(dialog, kind.box);
            pressButton(dialog, IDOK);
        });
        EXPECT_EQ(host.stored.leaveOut, kind.kind);
        EXPECT_EQ(host.loads, std::vector<std::string>{"WoordenLijst.txt"});
        for (const LeaveOutKind& other : kLeaveOutKinds)
            EXPECT_EQ(SettingsRegistry::dword(other.value), &other == &kind ? 1u : 0u)
                << other.value;
        // Shown ticked the next time, and ticked off again.
        Shown shown{};
        run([&](HWND dialog) {
            shown = readShown(dialog);
            click(dialog, kind.box);
            pressButton(dialog, IDOK);
        });
        EXPECT_EQ(shown.leaveOut, kind.kind);
        EXPECT_EQ(host.stored.leaveOut, 0u);
        EXPECT_EQ(host.loads.size(), 2u);
    }
    // The number of best anagrams shown is for the next search: no load.
    host.loads.clear();
    run([&](HWND dialog) {
        type(dialog, IDE_BEST_SHOWN, "10000");
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(host.stored.bestShown, 10000u);
    EXPECT_TRUE(host.loads.empty());
}

TEST_F(OptionsCommand, APathInAPolishAndCyrillicFolderIsTakenAndStoredWhole) {
    std::string list = lists.write(
        "\u0141\u00f3d\u017a\\\u0410\u043d\u0430\u0433\u0440\u0430\u043c\u043c\u044b\\s\u0142owa."
        "txt",
        "listen\n");  // Łódź\Анаграммы\słowa.txt
    std::string shown;
    run([&](HWND dialog) {
        type(dialog, IDE_LEXICON_PATH, list);
        shown = controlText(dialog, IDE_LEXICON_PATH);
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(shown, list);
    EXPECT_EQ(host.stored.lexiconPath, list);
    EXPECT_EQ(host.loads, std::vector<std::string>{list});
    EXPECT_EQ(SettingsRegistry::text(kLexiconPathValue), list + '\0');
}

TEST_F(OptionsCommand, OkRefusesAPathThatNamesNoReadableFileAndKeepsTheDialogOpen) {
    const testing::InterfaceTexts& t = testing::expectedTexts();
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::string programFolder = fs::path(program).parent_path().u8string();
    const std::string folder = lists.path();
    lists.write("sub\\inside.txt", "listen\n");
    const struct {
        std::string typed, tried;
    } cases[] = {
        // Relative: looked for in the current folder, then beside the program.
        {"nergens.txt", folder + "\\nergens.txt\n" + programFolder + "\\nergens.txt"},
        {folder + "\\nergens.txt", folder + "\\nergens.txt"},
        {"sub", folder + "\\sub\n" + programFolder + "\\sub"},  // a folder
        {"", ""},
    };
    std::vector<std::string> said;
    std::vector<bool> stayedOpen, pathFocused;
    run([&](HWND dialog) {
        type(dialog, IDE_MIN_WORD_LENGTH, "5");
        HWND pathBox = GetDlgItem(dialog, IDE_LEXICON_PATH);
        for (const auto& each : cases) {
            type(dialog, IDE_LEXICON_PATH, each.typed);
            // Posted: the message box's own loop holds a sent click until it closes.
            postButton(dialog, IDOK);
            HWND box = waitForDialog(uiThread, dialog);
            said.push_back(box != nullptr ? dialogTexts(box) : "(no message box)");
            if (box != nullptr) pressButton(box, IDOK);
            EXPECT_TRUE(waitUntilGone(box));
            stayedOpen.push_back(IsWindowVisible(dialog) != FALSE);
            pathFocused.push_back(waitUntil([&] { return focusOf(uiThread) == pathBox; }, 2000));
        }
        EXPECT_FALSE(SettingsRegistry::keyExists());
        // A path to a file is taken, and with it what else the dialog holds.
        type(dialog, IDE_LEXICON_PATH, "sub\\inside.txt");
        pressButton(dialog, IDOK);
    });
    ASSERT_EQ(said.size(), std::size(cases));
    for (size_t i = 0; i < said.size(); ++i) {
        SCOPED_TRACE(cases[i].typed);
        EXPECT_EQ(said[i], "|" + testing::format(t.lexiconMissing, cases[i].typed.c_str(),
                                                 cases[i].tried.c_str()));  // an empty caption
        EXPECT_TRUE(stayedOpen[i]);
        EXPECT_TRUE(pathFocused[i]);
    }
    EXPECT_EQ(host.loads, std::vector<std::string>{"sub\\inside.txt"});
    EXPECT_EQ(host.stored.search.minWordLength, 5u);
    EXPECT_EQ(SettingsRegistry::bytes(kLexiconPathValue), std::string("sub\\inside.txt", 15));
}

TEST_F(OptionsCommand, CancelEscapeAndTheCloseBoxChangeAndWriteNothing) {
    const std::vector<std::pair<const char*, void (*)(HWND)>> ways = {
        {"Cancel", [](HWND dialog) { pressButton(dialog, IDCANCEL); }},
        {"Escape",
         [](HWND dialog) { pressKey(GetDlgItem(dialog, IDE_MIN_WORD_LENGTH), VK_ESCAPE); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        run([&](HWND dialog) {
            type(dialog, IDE_MIN_WORD_LENGTH, "5");
            type(dialog, IDE_MAX_ANAGRAM_COUNT, "10");
            click(dialog, IDR_DEPTH_FIRST);
            type(dialog, IDE_LEXICON_PATH, "ander.txt");
            click(dialog, IDC_LEAVE_OUT_DIGITS);
            type(dialog, IDE_BEST_SHOWN, "20");
            close(dialog);
            EXPECT_TRUE(waitUntilGone(dialog));
        });
        expectHostUnchanged();
    }
}

TEST_F(OptionsCommand, TheArrowKeysMoveBetweenTheTwoStrategiesOnly) {
    run([&](HWND dialog) {
        HWND breadthFirst = GetDlgItem(dialog, IDR_BREADTH_FIRST);
        HWND depthFirst = GetDlgItem(dialog, IDR_DEPTH_FIRST);
        auto focusReaches = [&](HWND control) {
            return waitUntil([&] { return focusOf(uiThread) == control; }, 2000);
        };
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(breadthFirst), TRUE);
        ASSERT_TRUE(focusReaches(breadthFirst));
        pressKey(breadthFirst, VK_DOWN);
        ASSERT_TRUE(focusReaches(depthFirst));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDR_BREADTH_FIRST), BST_UNCHECKED);
        pressKey(depthFirst, VK_DOWN);
        ASSERT_TRUE(focusReaches(breadthFirst)) << "Down on the last strategy left the group";
        pressKey(breadthFirst, VK_UP);
        ASSERT_TRUE(focusReaches(depthFirst));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDR_DEPTH_FIRST), BST_CHECKED);
        pressButton(dialog, IDOK);
    });
    EXPECT_FALSE(host.stored.search.breadthFirst);
}

TEST_F(OptionsCommand, TextThatIsNotANumberInRangeKeepsTheSpinnersPreviousPosition) {
    host.stored.search.minWordLength = 4;
    host.stored.search.maxWordCount = 2;
    host.stored.search.maxAnagramCount = 300;
    host.stored.bestShown = 40;
    run([&](HWND dialog) {
        type(dialog, IDE_MIN_WORD_LENGTH, "9");
        type(dialog, IDE_MAX_WORD_COUNT, "abc");
        type(dialog, IDE_MAX_ANAGRAM_COUNT, "-1");
        type(dialog, IDE_BEST_SHOWN, "9");
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(host.stored.search.minWordLength, 4u);
    EXPECT_EQ(host.stored.search.maxWordCount, 2u);
    EXPECT_EQ(host.stored.search.maxAnagramCount, 300u);
    EXPECT_EQ(host.stored.bestShown, 40u);
    EXPECT_EQ(SettingsRegistry::dword(kMinWordLengthValue), 4u);
}

TEST_F(OptionsCommand, StoredValuesOutsideTheRangesAreShownAtTheirEndsAndSavedAsShown) {
    SettingsRegistry::putDword(kMaxWordCountValue, 9);
    SettingsRegistry::putDword(kMinWordLengthValue, 0);
    SettingsRegistry::putDword(kMaxAnagramCountValue, 65537);
    SettingsRegistry::putDword(kBreadthFirstValue, 7);
    SettingsRegistry::putDword(kBestShownValue, 65546);
    SettingsRegistry::putDword(kLeaveOutNamesValue, 2);
    readSettings(host.stored);
    EXPECT_EQ(host.stored.search.maxWordCount, 9u);
    EXPECT_EQ(host.stored.search.minWordLength, 0u);
    EXPECT_EQ(host.stored.search.maxAnagramCount, 65537u);

    Shown shown{};
    run([&](HWND dialog) {
        shown = readShown(dialog);
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(shown.maxWordCount, "5");
    EXPECT_EQ(shown.minWordLength, "1");
    // Not 1, the low 16 bits of 65537.
    EXPECT_EQ(shown.maxAnagramCount, "2000");
    EXPECT_EQ(shown.breadthFirst, BST_CHECKED);
    EXPECT_EQ(shown.bestShown, "10000");  // not 10, the low 16 bits of 65546
    EXPECT_EQ(shown.leaveOut, LeaveOutNames);

    EXPECT_EQ(host.stored.search.maxWordCount, 5u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxWordCountValue), 5u);
    EXPECT_EQ(SettingsRegistry::dword(kMinWordLengthValue), 1u);
    EXPECT_EQ(SettingsRegistry::dword(kMaxAnagramCountValue), 2000u);
    EXPECT_EQ(SettingsRegistry::dword(kBreadthFirstValue), 1u);
    EXPECT_EQ(SettingsRegistry::dword(kBestShownValue), 10000u);
    EXPECT_EQ(SettingsRegistry::dword(kLeaveOutNamesValue), 1u);
    EXPECT_TRUE(host.loads.empty());
}

TEST_F(OptionsCommand, APathIsComparedByteForByte) {
    run([&](HWND dialog) {
        type(dialog, IDE_LEXICON_PATH, "woordenlijst.txt");
        pressButton(dialog, IDOK);
    });
    EXPECT_EQ(host.loads, std::vector<std::string>{"woordenlijst.txt"});

    run([&](HWND dialog) { pressButton(dialog, IDOK); });
    EXPECT_EQ(host.loads.size(), 1u);

    UserSettings stored;
    readSettings(stored);
    EXPECT_EQ(stored.lexiconPath, "woordenlijst.txt");
}

class OptionsBrowse : public OptionsCommand {
  protected:
    // The Open-file dialog starts in the folder where this program last chose
    // a file; without that memory, in the current directory.
    static void forgetLastFolder() {
        RegDeleteTreeA(
            HKEY_CURRENT_USER,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU");
    }

    void SetUp() override {
        forgetLastFolder();
        // Named in letters that no ANSI code page holds together.
        folder = fs::temp_directory_path() /
                 fs::u8path("scramblo-options-test \u0141\u00f3d\u017a \u0410\u043d\u0430");
        fs::remove_all(folder);
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "woorden.txt") << "listen\n";
        std::ofstream(folder / "sub" / "engels.txt") << "silent\n";
        previous = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override {
        forgetLastFolder();
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    fs::path folder;
    fs::path previous;
};

TEST_F(OptionsBrowse, AChosenFileReplacesThePathByItsFullPath) {
    std::string offered, shown;
    run([&](HWND dialog) {
        // Typed text is not what the Open-file dialog offers.
        type(dialog, IDE_LEXICON_PATH, "getypt.txt");
        offered = browse(dialog, "woorden.txt");
        shown = controlText(dialog, IDE_LEXICON_PATH);
        pressButton(dialog, IDOK);
    });
    std::string chosen = (folder / "woorden.txt").u8string();
    EXPECT_EQ(offered, "WoordenLijst.txt");
    EXPECT_EQ(shown, chosen);
    EXPECT_EQ(host.stored.lexiconPath, chosen);
    EXPECT_EQ(host.loads, std::vector<std::string>{chosen});
    EXPECT_EQ(fs::current_path(), folder);
}

TEST_F(OptionsBrowse, TheLastChoiceIsOfferedNextAndTheFileNeedNotExist) {
    std::string offered, shown;
    run([&](HWND dialog) {
        browse(dialog, (folder / "sub" / "engels.txt").u8string());
        offered = browse(dialog, "nieuw.txt");
        shown = controlText(dialog, IDE_LEXICON_PATH);
        pressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(offered, "engels.txt");
    EXPECT_EQ(shown, (folder / "sub" / "nieuw.txt").u8string());
    EXPECT_EQ(fs::current_path(), folder);
}

TEST_F(OptionsBrowse, ACancelledBrowseOrDialogKeepsThePath) {
    std::string shown;
    run([&](HWND dialog) {
        browse(dialog, "");
        shown = controlText(dialog, IDE_LEXICON_PATH);
        browse(dialog, "woorden.txt");
        pressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(shown, "WoordenLijst.txt");
    expectHostUnchanged();
}

TEST_F(OptionsBrowse, APathLongerThanMaxPathIsOfferedWhole) {
    host.stored.lexiconPath = std::string(300, 'x');
    std::string offered;
    run([&](HWND dialog) {
        offered = browse(dialog, "");
        pressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(offered, std::string(300, 'x'));
}

// A window that takes a search's notifications, as the main window does while
// the Options dialog is open.
class SearchTarget {
  public:
    SearchTarget() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ScrambloSearchTarget";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, this);
    }
    ~SearchTarget() { DestroyWindow(window); }

    HWND window;
    std::atomic<int> progress{0};
    std::atomic<bool> ended{false};

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM code, LPARAM value) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(value);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<SearchTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != kNotificationMessage || self == nullptr)
            return DefWindowProcA(window, message, code, value);
        Notification notification = platform::receive(window, code, value);
        if (notification.code == SearchProgress) ++self->progress;
        if (endsJob(notification.code)) self->ended = true;
        return 0;
    }
};

TEST_F(OptionsCommand, ASearchGoesOnWhileTheDialogIsOpenAndAfterNewSettings) {
    // Words of a's only, in every spelling, against a phrase with a z: no
    // anagram, and more partial ones than any test waits for. Depth first
    // keeps the queue short.
    fs::path lexicon = fs::temp_directory_path() / "scramblo-options-search.txt";
    {
        std::ofstream file(lexicon);
        for (int length = 3; length <= 5; ++length) {
            for (int spelling = 0; spelling < 1 << length; ++spelling) {
                for (int i = 0; i < length; ++i) file << ((spelling >> i & 1) ? 'A' : 'a');
                file << '\n';
            }
        }
    }
    Finder finder;
    finder.setJob(LoadLexicon, lexicon.string(), SearchSettings());
    finder.runJob();
    fs::remove(lexicon);
    ASSERT_EQ(finder.entryList.size(), 56u);

    SearchTarget target;
    finder.notifyTarget = target.window;
    SearchSettings depthFirst;
    depthFirst.breadthFirst = false;
    JobDriver jobs(finder);
    ASSERT_TRUE(jobs.start(Search, std::string(30, 'a') + "z", depthFirst));

    bool progressWhileOpen = false;
    run([&](HWND dialog) {
        int atOpen = target.progress;
        progressWhileOpen = waitUntil([&] { return target.progress > atOpen; });
        type(dialog, IDE_MIN_WORD_LENGTH, "4");
        type(dialog, IDE_MAX_ANAGRAM_COUNT, "7");
        pressButton(dialog, IDOK);
    });
    EXPECT_TRUE(progressWhileOpen);
    EXPECT_EQ(host.stored.search.minWordLength, 4u);
    EXPECT_EQ(host.stored.search.maxAnagramCount, 7u);
    EXPECT_TRUE(host.loads.empty());
    EXPECT_FALSE(finder.stopRequested());
    int progressAfter = target.progress;
    EXPECT_TRUE(testing::pumpUntil([&] { return target.progress > progressAfter; }));
    EXPECT_FALSE(target.ended);

    jobs.requestStop();
    jobs.waitForEnd(JobDriver::kForever);
    EXPECT_TRUE(testing::pumpUntil([&] { return target.ended.load(); }));
}

}  // namespace
}  // namespace scramblo::ui
