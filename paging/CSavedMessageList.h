#pragma once

#include "paging/CSavedMessage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The kept pages, in the order they were saved, and their file. The file is read once at
// start-up and rewritten in full after every change; a relative file name resolves against the
// current directory at the moment of each read or write.
class CSavedMessageList {
public:
    explicit CSavedMessageList(std::string fileName = "Message.sav");

    // Replaces the list with the file's records; a missing file leaves the list as it is. When
    // the file is damaged the list holds every complete record before the damage, the file is
    // kept as "<file>.damaged" (replacing an older one) and rewritten with those records, and the
    // returned text tells the user so.
    std::optional<std::string> LoadSavedMessages();

    // Each change rewrites the file; the list keeps the change when that fails.
    void AddSavedMessage(CSavedMessage record);
    // An index past the end changes nothing.
    void RemoveSavedMessage(std::size_t index);

    std::size_t GetCount() const { return m_records.size(); }
    const CSavedMessage &GetAt(std::size_t index) const { return m_records.at(index); }

    // Replaces the file with the whole list, atomically: after a failure (the file cannot be
    // created, the disk is full) the old file is still there, whole. A damaged file is first
    // kept as "<file>.damaged"; while that fails, the file is not replaced. False on failure.
    bool WriteSavedMessages();

private:
    std::string m_fileName;
    std::vector<CSavedMessage> m_records;
    // The file read at start-up was damaged and could not yet be kept aside.
    bool m_damagedOriginal = false;
};
