#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A control's persisted stream in a file of its own: exactly the bytes the control saves, the
// bytes a dialog template holds as its "stream" text. The file may come from anywhere: only a
// regular file no larger than any stream can sensibly be is read.
class StreamFile {
public:
    static constexpr qint64 kLargestFile = 16 * 1024 * 1024;

    // Writes the file whole or not at all; false with `error` telling why.
    static bool write(const QString &path, std::span<const std::uint8_t> stream, QString &error);
    // The file's bytes; nullopt with `error` telling why.
    static std::optional<std::vector<std::uint8_t>> read(const QString &path, QString &error);
};
