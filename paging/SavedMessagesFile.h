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

// A larger file is not one this program wrote in any normal use: it is read as damaged.
inline constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;
// Far more pages than anybody keeps; a file claiming more is damaged after that many, so that a
// small file of empty records cannot fill the memory.
inline constexpr std::uint32_t kMaxRecords = 100000;

std::vector<std::uint8_t> Serialize(std::span<const CSavedMessage> records);

struct Parsed {
    std::vector<CSavedMessage> records; // every complete record before any damage
    bool damaged = false;               // truncated, unknown tag or class, or bytes left over
};

// Reads bytes from outside: every length and count is checked against the bytes that are there
// before anything is allocated for it.
Parsed Parse(std::span<const std::uint8_t> bytes);

} // namespace saved
