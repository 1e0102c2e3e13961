#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings file: every read and write goes straight to the file, so a change written by one
// window is seen by the next read anywhere. Sections and keys are in SettingsKeys.h.
class CSettings {
public:
    // fileName without a folder: the file lives in the Windows directory.
    explicit CSettings(std::string fileName);

    // The stored value cut to 4095 bytes, or defaultValue when the key is absent.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;
    // The stored value as a decimal number, or defaultValue when the key is absent.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // nullopt deletes the key. Returns false when the file could not be written.
    bool WriteString(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);
    bool WriteInt(std::string_view section, std::string_view key, int value);

    // Appends one entry to the address memory, without looking for duplicates.
    void AddAddress(std::string_view entry);
    // Replaces the address memory with the items, in order.
    void SaveAddressList(const std::vector<std::string> &items);
    // The entries of the address memory; a missing entry reads as empty.
    std::vector<std::string> AddressList() const;

private:
    int AddressCount() const;
    static std::string AddressKey(int number);

    std::string m_fileName;
};
