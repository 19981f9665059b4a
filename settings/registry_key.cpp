#include "settings/registry_key.h"

#include <algorithm>
#include <vector>

namespace scramblo {

bool RegistryKey::openForReading(HKEY root, const char* path) {
    close();
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) == ERROR_SUCCESS) return true;
    key_ = nullptr;
    return false;
}

bool RegistryKey::createForWriting(HKEY root, const char* path) {
    close();
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr) == ERROR_SUCCESS) {
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
        RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> RegistryKey::queryString(const char* name, size_t maxLength) const {
    // A longer value does not fit and makes the query fail.
    std::vector<char> buffer(maxLength + 1);
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(buffer.size());
    if (key_ == nullptr ||
        RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // A value stored without its terminating zero ends where its data ends;
    // then it may just fill the buffer, one character too long.
    std::string value(buffer.data(), size);
    value.resize(std::min(value.find('\0'), value.size()));
    if (value.size() > maxLength) return std::nullopt;
    return value;
}

bool RegistryKey::setDword(const char* name, uint32_t value) const {
    DWORD data = value;
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool RegistryKey::setString(const char* name, const std::string& value) const {
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace scramblo
