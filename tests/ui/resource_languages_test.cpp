// Every dialog template and string-table block exists in English and Dutch,
// and both languages hold the same ids, so neither language misses a text.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/app_module.h"

namespace scramblo::ui {
namespace {

const WORD kLanguages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                           MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH)};

std::vector<LPCSTR> resourceNames(LPCSTR type) {
    std::vector<LPCSTR> names;
    EnumResourceNamesA(
        nullptr, type,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            EXPECT_TRUE(IS_INTRESOURCE(name));  // all our resources have numeric ids
            reinterpret_cast<std::vector<LPCSTR>*>(param)->push_back(name);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::set<WORD> resourceLanguages(LPCSTR type, LPCSTR name) {
    std::set<WORD> languages;
    EnumResourceLanguagesA(
        nullptr, type, name,
        [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) -> BOOL {
            reinterpret_cast<std::set<WORD>*>(param)->insert(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

const void* resourceData(LPCSTR type, LPCSTR name, WORD language) {
    HRSRC resource = FindResourceExA(nullptr, type, name, language);
    return resource != nullptr ? LockResource(LoadResource(nullptr, resource)) : nullptr;
}

// The ids of the non-empty strings of one block of sixteen.
std::set<UINT> stringIds(LPCSTR block, WORD language) {
    std::set<UINT> ids;
    auto* data = static_cast<const WCHAR*>(resourceData(RT_STRING, block, language));
    UINT first = (static_cast<UINT>(reinterpret_cast<uintptr_t>(block)) - 1) * 16;
    for (UINT i = 0; data != nullptr && i < 16; ++i) {
        if (*data != 0) ids.insert(first + i);
        data += 1 + *data;
    }
    return ids;
}

struct ControlShape {
    int id;
    std::string className;
    LONG style;
    bool operator==(const ControlShape& other) const {
        return id == other.id && className == other.className && style == other.style;
    }
};

// Visits the dialog's controls in tab order, made from the template in that language.
void forEachControl(LPCSTR name, WORD language, const std::function<void(HWND)>& visit) {
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(resourceData(RT_DIALOG, name, language));
    if (dialogTemplate == nullptr) return;
    HWND dialog = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), dialogTemplate, nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        visit(child);
    }
    DestroyWindow(dialog);
}

std::vector<ControlShape> controls(LPCSTR name, WORD language) {
    std::vector<ControlShape> shapes;
    forEachControl(name, language, [&](HWND child) {
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        shapes.push_back({GetDlgCtrlID(child), className, GetWindowLongA(child, GWL_STYLE)});
    });
    return shapes;
}

// The access keys of the dialog's controls, in small letters: the letter
// after each single &, where the text takes it as one.
std::vector<wchar_t> accessKeys(LPCSTR name, WORD language) {
    std::vector<wchar_t> keys;
    forEachControl(name, language, [&](HWND child) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        bool isStatic = lstrcmpiW(className, L"Static") == 0;
        if (isStatic && (GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX)) return;
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        for (const wchar_t* at = text; *at != 0 && at[1] != 0; ++at) {
            if (*at != L'&') continue;
            if (at[1] != L'&') keys.push_back(towlower(at[1]));
            ++at;
        }
    });
    return keys;
}

TEST(ResourceLanguages, StringTablesHoldTheSameIdsInEnglishAndDutch) {
    std::set<UINT> all;
    for (LPCSTR block : resourceNames(RT_STRING)) {
        EXPECT_EQ(resourceLanguages(RT_STRING, block),
                  std::set<WORD>(std::begin(kLanguages), std::end(kLanguages)));
        std::set<UINT> english = stringIds(block, kLanguages[0]);
        EXPECT_EQ(english, stringIds(block, kLanguages[1]));
        all.insert(english.begin(), english.end());
    }
    for (UINT id = 128; id <= 134; ++id) EXPECT_EQ(all.count(id), 1u) << id;
}

TEST(ResourceLanguages, DialogTemplatesHoldTheSameControlsInEnglishAndDutch) {
    AppModule::init(GetModuleHandleA(nullptr), nullptr);
    std::vector<LPCSTR> dialogs = resourceNames(RT_DIALOG);
    EXPECT_FALSE(dialogs.empty());
    for (LPCSTR name : dialogs) {
        auto id = reinterpret_cast<uintptr_t>(name);
        EXPECT_EQ(resourceLanguages(RT_DIALOG, name),
                  std::set<WORD>(std::begin(kLanguages), std::end(kLanguages)))
            << "dialog " << id;
        std::vector<ControlShape> english = controls(name, kLanguages[0]);
        EXPECT_FALSE(english.empty()) << "dialog " << id;
        EXPECT_TRUE(english == controls(name, kLanguages[1])) << "dialog " << id;
    }
    AppModule::term();
}

TEST(ResourceLanguages, EveryAccessKeyOfADialogLeadsToOneControlInEitherLanguage) {
    AppModule::init(GetModuleHandleA(nullptr), nullptr);
    for (LPCSTR name : resourceNames(RT_DIALOG)) {
        for (WORD language : kLanguages) {
            SCOPED_TRACE("dialog " + std::to_string(reinterpret_cast<uintptr_t>(name)) +
                         ", language " + std::to_string(language));
            std::vector<wchar_t> keys = accessKeys(name, language);
            std::set<wchar_t> distinct(keys.begin(), keys.end());
            EXPECT_EQ(distinct.size(), keys.size()) << std::wstring(keys.begin(), keys.end());
        }
    }
    AppModule::term();
}

TEST(ResourceLanguages, TheManifestAsksForTheDpiOfEachMonitor) {
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
}  // namespace scramblo::ui
