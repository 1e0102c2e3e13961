#pragma once

#include "app/SettingsKeys.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The settings file: every read and write goes straight to the file, so a change written by one
// window is seen by the next read anywhere. Sections, keys and the rules that read stored words
// are in SettingsKeys.h.
class Settings {
public:
    // The settings file's path, in the Windows directory.
    explicit Settings(std::string filePath);

    // The stored value cut to 4095 bytes, or defaultValue when the key is absent.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;
    // The stored value as a decimal number, or defaultValue when the key is absent.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // nullopt deletes the key. Returns false when the file could not be written.
    bool WriteString(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);
    bool WriteInt(std::string_view section, std::string_view key, int value);

    // Whether writes can be stored: the folder exists and takes new files, and the file, when it
    // exists, is a regular file that can be read and written. The program makes the folder at
    // start; a read-only or missing folder, or a folder or FIFO in the file's place, cannot.
    bool writable() const;
    // The settings file's path, as given.
    const std::string &filePath() const { return m_filePath; }
    // The folder that holds the settings file, as text to show.
    std::string folder() const;

    // The rules of SettingsKeys.h: whether a word switch is on, and a number unless it is unset.
    bool isOn(const keys::WordSwitch &setting) const;
    std::optional<int> number(const keys::OptionalNumber &setting) const;

    // The WAV file of an event (empty: the event plays nothing), and whether the event's sound
    // is switched off on its own.
    std::string eventSoundFile(std::string_view eventName) const;
    bool eventSoundSwitchedOff(std::string_view eventName) const;
    // What an alias stands for; empty when the name is no alias.
    std::string aliasValue(std::string_view name) const;

    // Appends one entry to the address memory, without looking for duplicates.
    void AddAddress(std::string_view entry);
    // Replaces the address memory with the items, in order.
    void SaveAddressList(const std::vector<std::string> &items);
    // The entries of the address memory; a missing entry reads as empty.
    std::vector<std::string> addressList() const;

private:
    int addressCount() const;
    static std::string addressKey(int number);

    std::string m_filePath;
};

} // namespace app
