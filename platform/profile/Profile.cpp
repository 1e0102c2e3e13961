#include "platform/profile/Profile.h"

#include "platform/file/AtomicFile.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/WindowsDirectory.h"
#include "platform/text/LeadingInteger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

namespace profile {
namespace {

bool inWindowsDirectory(std::string_view fileName)
{
    return fileName.find('/') == std::string_view::npos;
}

QDir windowsDirectory()
{
    return QDir(QFile::decodeName(QByteArray::fromStdString(GetWindowsDirectory())));
}

std::optional<QString> profilePath(std::string_view fileName)
{
    if (fileName.empty() || fileName.find('\0') != std::string_view::npos)
        return std::nullopt;
    const QString name =
        QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
    if (!inWindowsDirectory(fileName))
        return name;
    return windowsDirectory().filePath(name);
}

// The file's lines; a file that does not exist is empty. nullopt when the file exists but cannot
// be read, so that a write does not replace contents it never saw.
std::optional<ProfileFile> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? std::nullopt : std::optional<ProfileFile>(ProfileFile{});
    const QByteArray bytes = file.read(static_cast<qint64>(ProfileFile::kMaxSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ProfileFile::fromBytes(std::string_view(bytes.constData(), bytes.size()));
}

std::optional<ProfileFile> loadForReading(std::string_view fileName)
{
    const auto path = profilePath(fileName);
    return path ? load(*path) : std::nullopt;
}

bool save(const QString &path, const ProfileFile &profile)
{
    const std::string bytes = profile.toBytes();
    if (bytes.size() > ProfileFile::kMaxSize)
        return false; // it could not be read back
    return file::writeAtomically(path, bytes);
}

} // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view fileName,
                                    std::size_t bufferSize)
{
    const auto file = loadForReading(fileName);
    const auto value = file ? file->value(section, key) : std::nullopt;
    const std::string_view result = value ? *value : defaultValue;
    return std::string(result.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
}

std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view fileName)
{
    const auto file = loadForReading(fileName);
    return file ? file->keys(section) : std::vector<std::string>{};
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view fileName)
{
    const auto file = loadForReading(fileName);
    const auto value = file ? file->value(section, key) : std::nullopt;
    return value && !value->empty() ? text::LeadingInteger(*value) : defaultValue;
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view fileName)
{
    if (!ProfileFile::isWritableSection(section) || (key && !ProfileFile::isWritableKey(*key)) ||
        (value && !ProfileFile::isWritableValue(*value)))
        return false;
    const auto path = profilePath(fileName);
    if (!path)
        return false;
    auto file = load(*path);
    if (!file)
        return false;
    bool changed = false;
    if (!key)
        changed = file->removeSection(section);
    else if (!value)
        changed = file->removeKey(section, *key);
    else
        changed = file->setValue(section, *key, *value);
    if (!changed)
        return true;
    // The Windows directory is created by the first write into it, should it be missing, whether
    // the file is named bare or with that folder.
    const QString folder = QFileInfo(*path).absolutePath();
    const bool folderReady = folder != windowsDirectory().absolutePath() || QDir().mkpath(folder);
    return folderReady && save(*path, *file);
}

int GetProfileInt(std::string_view section, std::string_view key, int defaultValue)
{
    return GetPrivateProfileInt(section, key, defaultValue, kWinIni);
}

} // namespace profile
