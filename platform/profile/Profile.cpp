#include "platform/profile/Profile.h"

#include "platform/file/AtomicFile.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/WindowsDirectory.h"
#include "platform/text/LeadingInteger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

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

// What tells one version of a file from another without reading it. A rewrite through a new file
// and a rename gives a new inode; one in place moves the change time, even when the size and the
// modification time are made to look as before.
struct Stamp {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
    timespec changed;

    bool operator==(const Stamp &other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               sameTime(modified, other.modified) && sameTime(changed, other.changed);
    }

private:
    static bool sameTime(const timespec &a, const timespec &b)
    {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    }
};

Stamp stampOf(const struct stat &status)
{
    return Stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

struct CachedFile {
    Stamp stamp;
    ProfileFile file;
};

// The files parsed so far, by path, each with the stamp of the version parsed. The profile
// functions are process-wide, like the files themselves, so the cache is too: every read checks
// the file's stamp (one stat) and parses again only when the file changed on disk. A process
// reads a handful of files; should it read many, the cache starts again rather than grow.
constexpr std::size_t kMaxCachedFiles = 16;

std::map<std::string, CachedFile> &cachedFiles()
{
    static std::map<std::string, CachedFile> files;
    return files;
}

// Guards cachedFiles(): the profile functions may be called from any thread.
std::mutex &cacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The whole file at `path`, when it is a regular file that can be read to its end. Opened without
// waiting, should a FIFO have taken the file's place since the caller looked.
std::optional<CachedFile> readRegularFile(const std::string &path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<CachedFile> result;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(status.st_size));
        std::array<char, 64 * 1024> chunk;
        for (;;) {
            const ssize_t got = ::read(descriptor, chunk.data(), chunk.size());
            if (got > 0)
                bytes.append(chunk.data(), static_cast<std::size_t>(got));
            else if (got == 0)
                result = CachedFile{stampOf(status), ProfileFile::fromBytes(bytes)};
            if (got > 0 || (got < 0 && errno == EINTR))
                continue;
            break;
        }
    }
    ::close(descriptor);
    return result;
}

// The file's lines, parsed again only when the file changed since the last call; a file that
// does not exist is empty. Null when the file exists but is no regular file or cannot be read,
// so that a write does not replace contents it never saw. The caller holds cacheMutex() while it
// uses the lines.
ProfileFile *load(const std::string &path)
{
    auto &files = cachedFiles();
    struct stat status {};
    std::optional<CachedFile> read;
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT)
            read = CachedFile{Stamp{}, ProfileFile{}};
    } else if (S_ISREG(status.st_mode)) {
        if (const auto found = files.find(path);
            found != files.end() && found->second.stamp == stampOf(status))
            return &found->second.file;
        read = readRegularFile(path);
    }
    files.erase(path);
    if (!read)
        return nullptr;
    if (files.size() >= kMaxCachedFiles)
        files.clear();
    return &files.emplace(path, std::move(*read)).first->second.file;
}

// Takes the file just written at `path` as the cached version of it, or forgets the path when it
// cannot say which version is on disk now.
void remember(const std::string &path, bool written)
{
    auto &files = cachedFiles();
    const auto found = files.find(path);
    struct stat status {};
    if (found == files.end())
        return;
    if (written && ::stat(path.c_str(), &status) == 0)
        found->second.stamp = stampOf(status);
    else
        files.erase(found);
}

// Calls use(lines) with the file's lines while no other call can change them, or use(nullptr)
// when the file cannot be read.
template <typename Use> auto withFile(std::string_view fileName, Use use)
{
    const auto path = profilePath(fileName);
    const std::lock_guard lock(cacheMutex());
    return use(path ? load(QFile::encodeName(*path).toStdString()) : nullptr);
}

// The key's value, or defaultValue when the key is absent or the file unreadable (null); cut to
// bufferSize - 1 bytes.
std::string valueOrDefault(const ProfileFile *file, std::string_view section, std::string_view key,
                           std::string_view defaultValue, std::size_t bufferSize)
{
    const auto value = file ? file->value(section, key) : std::nullopt;
    const std::string_view result = value ? *value : defaultValue;
    return std::string(result.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
}

} // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view fileName,
                                    std::size_t bufferSize)
{
    return withFile(fileName, [&](const ProfileFile *file) {
        return valueOrDefault(file, section, key, defaultValue, bufferSize);
    });
}

std::vector<std::string> GetPrivateProfileStrings(std::string_view section,
                                                  const std::vector<std::string> &keys,
                                                  std::string_view defaultValue,
                                                  std::string_view fileName, std::size_t bufferSize)
{
    return withFile(fileName, [&](const ProfileFile *file) {
        std::vector<std::string> values;
        values.reserve(keys.size());
        for (const auto &key : keys)
            values.push_back(valueOrDefault(file, section, key, defaultValue, bufferSize));
        return values;
    });
}

std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view fileName)
{
    return withFile(fileName, [&](const ProfileFile *file) {
        return file ? file->keys(section) : std::vector<std::string>{};
    });
}

std::vector<std::string> GetPrivateProfileSections(std::string_view fileName)
{
    return withFile(fileName, [](const ProfileFile *file) {
        return file ? file->sections() : std::vector<std::string>{};
    });
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view fileName)
{
    return withFile(fileName, [&](const ProfileFile *file) {
        const auto value = file ? file->value(section, key) : std::nullopt;
        return value && !value->empty() ? text::LeadingInteger(*value) : defaultValue;
    });
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
    const std::string name = QFile::encodeName(*path).toStdString();
    const std::lock_guard lock(cacheMutex());
    // The cached lines change here; remember() keeps them only when the file takes them too.
    ProfileFile *file = load(name);
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
    const bool written = (folder != windowsDirectory().absolutePath() || QDir().mkpath(folder)) &&
                         file::writeAtomically(*path, file->toBytes());
    remember(name, written);
    return written;
}

int GetProfileInt(std::string_view section, std::string_view key, int defaultValue)
{
    return GetPrivateProfileInt(section, key, defaultValue, kWinIni);
}

} // namespace profile
