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

    // Replaces the list with the file's records, however many; bytes after the last record are
    // ignored. A missing file leaves the list as it is. Only a regular file (a link's target
    // included) is read: anything else, or a file that cannot be read to its end, leaves the list
    // as it is, is never opened again, copied or written, and the returned text says so. When the
    // file is damaged the list holds every complete record before the damage, the file is kept
    // as "<file>.damaged" (or "<file>.damaged.1", ".2", ... when that name is taken) and
    // rewritten with those records, and the returned text tells the user so.
    std::optional<std::string> LoadSavedMessages();

    // Each change rewrites the file; the list keeps the change when that fails or is refused,
    // and the returned text tells the user why the file was not written.
    std::optional<std::string> AddSavedMessage(CSavedMessage record);
    // An index past the end changes nothing.
    std::optional<std::string> RemoveSavedMessage(std::size_t index);

    std::size_t GetCount() const { return m_records.size(); }
    const CSavedMessage &GetAt(std::size_t index) const { return m_records.at(index); }

    // Replaces the file with the whole list, atomically: after a failure (the file cannot be
    // created, the disk is full) the old file is still there, whole. A damaged file is first
    // kept aside under the first free name; while that fails, the file is not replaced. A file
    // that could not be read at start-up is never replaced. False on failure.
    bool WriteSavedMessages();

private:
    // What the file found at start-up allows.
    enum class FileState {
        Writable,
        Damaged,    // not yet kept aside: it is not replaced until it is
        NotRegular, // never replaced
        Unreadable, // never replaced
    };

    std::optional<std::string> write();
    std::string fileName() const;
    // The file's name and why it is not written, for a state other than Writable.
    std::string whyNotWritten() const;

    std::string m_fileName;
    std::vector<CSavedMessage> m_records;
    FileState m_state = FileState::Writable;
    // The name the damaged file was last kept as, or tried to be.
    std::string m_damagedCopy;
};
