// An open registry key, closed by the destructor. Values are read only when
// they have the expected type and fit the caller's bound. Key and value names
// are ASCII; text values are UTF-8 here and Unicode (UTF-16) in the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace scramblo {

class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { close(); }

    // Opens an existing key for reading; false when it is absent or refused.
    bool openForReading(HKEY root, const char* path);
    // Opens the key for reading and writing, creating it when it is absent.
    bool createForWriting(HKEY root, const char* path);
    void close();

    // The value when it is a REG_DWORD.
    std::optional<uint32_t> queryDword(const char* name) const;
    // The value when it is a REG_SZ of at most maxLength UTF-16 characters.
    std::optional<std::string> queryString(const char* name, size_t maxLength) const;

    bool setDword(const char* name, uint32_t value) const;
    // Stored with its terminating zero.
    bool setString(const char* name, const std::string& value) const;

  private:
    HKEY key_ = nullptr;
};

}  // namespace scramblo
