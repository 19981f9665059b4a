#include "settings/registry_key.h"

#include <algorithm>
#include <vector>

#include "settings/wide_text.h"

namespace scramblo {

bool RegistryKey::openForReading(HKEY root, const char* path) {
    close();
    if (RegOpenKeyExW(root, toUtf16(path).c_str(), 0, KEY_READ, &key_) == ERROR_SUCCESS) {
        return true;
    }
    key_ = nullptr;
    return false;
}

bool RegistryKey::createForWriting(HKEY root, const char* path) {
    close();
    if (RegCreateKeyExW(root, toUtf16(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) == ERROR_SUCCESS) {
        return true;
    }
    key_ = nullptr;
    return false;
}

void RegistryKey::close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}

std::optional<uint32_t> RegistryKey::queryDword(const char* name) const {
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (key_ == nullptr ||
        RegQueryValueExW(key_, toUtf16(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> RegistryKey::queryString(const char* name, size_t maxLength) const {
    // A longer value does not fit and makes the query fail. Read as UTF-16,
    // a value that an ANSI program wrote reads alike: the system keeps both so.
    std::vector<wchar_t> buffer(maxLength + 1);
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (key_ == nullptr ||
        RegQueryValueExW(key_, toUtf16(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // A value stored without its terminating zero ends where its data ends;
    // then it may just fill the buffer, one character too long.
    std::wstring value(buffer.data(), size / sizeof(wchar_t));
    value.resize(std::min(value.find(L'\0'), value.size()));
    if (value.size() > maxLength) return std::nullopt;
    return toUtf8(value);
}

bool RegistryKey::setDword(const char* name, uint32_t value) const {
    DWORD data = value;
    return key_ != nullptr &&
           RegSetValueExW(key_, toUtf16(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool RegistryKey::setString(const char* name, const std::string& value) const {
    std::wstring text = toUtf16(value);
    return key_ != nullptr &&
           RegSetValueExW(key_, toUtf16(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace scramblo
