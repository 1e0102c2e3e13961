#pragma once

#include "paging/CSavedMessage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The bytes of "Message.sav", shared with the Windows peers' files: a record count, then each
// record as a class tag and its three strings (title, text, sender). The first record's tag
// introduces the class by name and schema; every later one refers back to it.
namespace saved {

std::vector<std::uint8_t> Serialize(std::span<const CSavedMessage> records);

struct Parsed {
    std::vector<CSavedMessage> records; // every complete record before any damage
    bool damaged = false;               // truncated, or an unknown tag or class
};

// Reads bytes from outside, of any size: every length and count is checked against the bytes
// that are there before anything is allocated for it. Bytes after the last record are ignored,
// as the Windows peers' reader ignores them.
Parsed Parse(std::span<const std::uint8_t> bytes);

} // namespace saved
