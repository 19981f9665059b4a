// Raw access to the program's registry key for tests: values are written and
// read back with their exact type and bytes, and the key is removed around
// each test so that every test starts as a first run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace scramblo::testing {

struct RawValue {
    DWORD type;
    std::string bytes;
};

class SettingsRegistry {
  public:
    SettingsRegistry() { removeKey(); }
    ~SettingsRegistry() { removeKey(); }
    SettingsRegistry(const SettingsRegistry&) = delete;
    SettingsRegistry& operator=(const SettingsRegistry&) = delete;

    static void removeKey();
    static bool keyExists();

    static void put(const char* name, DWORD type, const std::string& bytes);
    static void putDword(const char* name, uint32_t value);
    // The text with its terminating zero.
    static void putString(const char* name, const std::string& text, DWORD type = REG_SZ);

    static std::optional<RawValue> get(const char* name);
    // The value when it is a REG_DWORD of 4 bytes.
    static std::optional<uint32_t> dword(const char* name);
    // The value's data, whatever its type.
    static std::optional<std::string> bytes(const char* name);
    // A REG_SZ written and read with the Unicode calls, as UTF-8 with its
    // terminating zero (bytes() reads in the ANSI code page).
    static void putText(const char* name, const std::string& text);
    static std::optional<std::string> text(const char* name);
};

}  // namespace scramblo::testing
