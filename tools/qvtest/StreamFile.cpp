#include "tools/qvtest/StreamFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool StreamFile::write(const QString &path, std::span<const std::uint8_t> stream, QString &error)
{
    QSaveFile file(path);
    const auto size = static_cast<qint64>(stream.size());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(stream.data()), size) != size || !file.commit()) {
        error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> StreamFile::read(const QString &path, QString &error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("%1 does not exist.").arg(path);
        return std::nullopt;
    }
    if (!info.isFile()) {
        error = QStringLiteral("%1 is not a regular file.").arg(path);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // Read one byte past the limit rather than trusting the size the file system tells.
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        error = QStringLiteral("%1 is larger than %2 bytes: no stream is that large.")
                    .arg(path)
                    .arg(kLargestFile);
        return std::nullopt;
    }
    if (bytes.isEmpty()) {
        error = QStringLiteral("%1 is empty.").arg(path);
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
