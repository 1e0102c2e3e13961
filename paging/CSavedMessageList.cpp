#include "paging/CSavedMessageList.h"

#include "paging/SavedMessagesFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace {

QString qtPath(const std::string &fileName)
{
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

// Unbuffered, so that a short write (the disk is full) shows in write()'s result: through the
// buffer, commit() would report success for a truncated file.
bool openForReplacing(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool replaceFile(const QString &path, std::span<const std::uint8_t> bytes)
{
    QSaveFile file(path);
    if (!openForReplacing(file))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size)
        file.cancelWriting();
    return file.commit();
}

// The whole file, however large, so that nothing of it is lost with the damaged original.
bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !openForReplacing(target))
        return false;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got == 0)
            break;
        if (got < 0 || target.write(buffer.data(), got) != got) {
            target.cancelWriting();
            break;
        }
    }
    return target.commit();
}

std::string damagedText(const QString &path, std::size_t recordsRead, bool kept)
{
    const std::string name = QFile::encodeName(QFileInfo(path).fileName()).toStdString();
    const std::string count =
        std::to_string(recordsRead) + (recordsRead == 1 ? " saved message" : " saved messages");
    return name + " is damaged. " + count + (recordsRead == 1 ? " was" : " were") +
           " read from it; the damaged file " + (kept ? "was" : "could not be") + " kept as " +
           name + ".damaged.";
}

} // namespace

CSavedMessageList::CSavedMessageList(std::string fileName) : m_fileName(std::move(fileName)) {}

std::optional<std::string> CSavedMessageList::LoadSavedMessages()
{
    const QString path = qtPath(m_fileName);
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    // A file that cannot be read, or not to its end, counts as damaged like one that does not
    // read as this format.
    QByteArray bytes;
    bool readWhole = file.open(QIODevice::ReadOnly);
    if (readWhole) {
        // Only what the size allows is asked for: a small file costs no large buffer.
        const qint64 size = file.size();
        bytes = file.read(std::min<qint64>(size, static_cast<qint64>(saved::kMaxFileSize)));
        readWhole = file.error() == QFileDevice::NoError &&
                    size <= static_cast<qint64>(saved::kMaxFileSize) && bytes.size() == size;
    }
    saved::Parsed parsed =
        saved::Parse(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                               std::min<std::size_t>(bytes.size(), saved::kMaxFileSize)));
    m_records = std::move(parsed.records);
    if (readWhole && !parsed.damaged)
        return std::nullopt;

    // The original goes aside before anything rewrites it; then the file holds what could be
    // read, so that the next start finds it whole. While it cannot be set aside, nothing
    // rewrites it: the records after the damage may still be recovered by hand.
    m_damagedOriginal = !copyFile(path, path + QStringLiteral(".damaged"));
    WriteSavedMessages();
    return damagedText(path, m_records.size(), !m_damagedOriginal);
}

void CSavedMessageList::AddSavedMessage(CSavedMessage record)
{
    m_records.push_back(std::move(record));
    WriteSavedMessages();
}

void CSavedMessageList::RemoveSavedMessage(std::size_t index)
{
    if (index >= m_records.size())
        return;
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
    WriteSavedMessages();
}

bool CSavedMessageList::WriteSavedMessages()
{
    const QString path = qtPath(m_fileName);
    if (m_damagedOriginal)
        m_damagedOriginal = !copyFile(path, path + QStringLiteral(".damaged"));
    return !m_damagedOriginal && replaceFile(path, saved::Serialize(m_records));
}
