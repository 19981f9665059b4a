#include "settings_registry.h"

#include <cstring>
#include <vector>

#include "settings/settings_store.h"
#include "settings/wide_text.h"

namespace scramblo::testing {

void SettingsRegistry::removeKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

bool SettingsRegistry::keyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SettingsRegistry::put(const char* name, DWORD type, const std::string& bytes) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name, type, bytes.data(),
                    static_cast<DWORD>(bytes.size()));
}

void SettingsRegistry::putDword(const char* name, uint32_t value) {
    put(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void SettingsRegistry::putString(const char* name, const std::string& text, DWORD type) {
    put(name, type, std::string(text.c_str(), text.size() + 1));
}

std::optional<RawValue> SettingsRegistry::get(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<RawValue> value;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> bytes(size);
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                             &size) == ERROR_SUCCESS) {
            value = RawValue{type, std::string(bytes.data(), size)};
        }
    }
    RegCloseKey(key);
    return value;
}

std::optional<uint32_t> SettingsRegistry::dword(const char* name) {
    auto value = get(name);
    uint32_t number = 0;
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof number)
        return std::nullopt;
    std::memcpy(&number, value->bytes.data(), sizeof number);
    return number;
}

std::optional<std::string> SettingsRegistry::bytes(const char* name) {
    auto value = get(name);
    if (!value) return std::nullopt;
    return value->bytes;
}

void SettingsRegistry::putText(const char* name, const std::string& text) {
    std::wstring wide = toUtf16(text);
    RegSetKeyValueW(HKEY_CURRENT_USER, toUtf16(kSettingsKey).c_str(), toUtf16(name).c_str(), REG_SZ,
                    wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::string> SettingsRegistry::text(const char* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, toUtf16(kSettingsKey).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value = toUtf16(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::vector<wchar_t> data;
    LSTATUS status = RegQueryValueExW(key, value.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.resize(size / sizeof(wchar_t));
        status = RegQueryValueExW(key, value.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return toUtf8({data.data(), size / sizeof(wchar_t)});
}

}  // namespace scramblo::testing
