#include "paging/CSavedMessageList.h"

#include "paging/SavedMessagesFile.h"
#include "platform/file/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <span>
#include <utility>

namespace {

QString qtPath(const std::string &fileName)
{
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

std::string shownName(const QString &path)
{
    return QFile::encodeName(QFileInfo(path).fileName()).toStdString();
}

// Anything at all under that name, a link to nothing included.
bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// "<file>.damaged", or the first of "<file>.damaged.1", ".2", ... that is free: an older copy is
// never replaced, and no link is followed into another file.
QString firstFreeCopyName(const QString &path)
{
    const QString base = path + QStringLiteral(".damaged");
    QString name = base;
    for (unsigned long long number = 1; isTaken(name); ++number)
        name = base + QLatin1Char('.') + QString::number(number);
    return name;
}

// The whole file, however large, or nothing when it cannot be opened or read to its end.
std::optional<QByteArray> readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

CSavedMessageList::CSavedMessageList(std::string fileName) : m_fileName(std::move(fileName)) {}

std::string CSavedMessageList::fileName() const
{
    return shownName(qtPath(m_fileName));
}

std::string CSavedMessageList::whyNotWritten() const
{
    switch (m_state) {
    case FileState::Damaged:
        return fileName() + " is damaged and could not be kept as " + m_damagedCopy;
    case FileState::NotRegular:
        return fileName() + " is not a regular file";
    case FileState::Unreadable:
        return fileName() + " cannot be read";
    case FileState::Writable:
        break;
    }
    return {};
}

std::optional<std::string> CSavedMessageList::LoadSavedMessages()
{
    const QString path = qtPath(m_fileName);
    const QFileInfo info(path);
    m_state = FileState::Writable;
    if (!isTaken(path))
        return std::nullopt;

    // Only a regular file is opened: a FIFO would block the open and a device would never end.
    // A folder in its place is a file that cannot be read.
    std::optional<QByteArray> bytes;
    if (info.isFile())
        bytes = readWhole(path);
    if (!bytes) {
        m_state = info.isFile() || info.isDir() ? FileState::Unreadable : FileState::NotRegular;
        return whyNotWritten() +
               ", so saved messages were not loaded from it and will not be written to it.";
    }

    saved::Parsed parsed =
        saved::Parse(std::span(reinterpret_cast<const std::uint8_t *>(bytes->constData()),
                               static_cast<std::size_t>(bytes->size())));
    m_records = std::move(parsed.records);
    if (!parsed.damaged)
        return std::nullopt;

    // The original goes aside before anything rewrites it; then the file holds what could be
    // read, so that the next start finds it whole. While it cannot be set aside, nothing
    // rewrites it: the records after the damage may still be recovered by hand.
    m_state = FileState::Damaged;
    write();
    const std::size_t count = m_records.size();
    return fileName() + " is damaged. " + std::to_string(count) +
           (count == 1 ? " saved message was" : " saved messages were") +
           " read from it; the damaged file " +
           (m_state == FileState::Damaged ? "could not be" : "was") + " kept as " + m_damagedCopy +
           ".";
}

std::optional<std::string> CSavedMessageList::AddSavedMessage(CSavedMessage record)
{
    m_records.push_back(std::move(record));
    return write();
}

std::optional<std::string> CSavedMessageList::RemoveSavedMessage(std::size_t index)
{
    if (index >= m_records.size())
        return std::nullopt;
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
    return write();
}

bool CSavedMessageList::WriteSavedMessages()
{
    return !write();
}

std::optional<std::string> CSavedMessageList::write()
{
    const QString path = qtPath(m_fileName);
    if (m_state == FileState::Damaged) {
        const QString copy = firstFreeCopyName(path);
        m_damagedCopy = shownName(copy);
        if (file::copyAtomically(path, copy))
            m_state = FileState::Writable;
    }
    if (m_state != FileState::Writable)
        return whyNotWritten() + ", so saved messages are not written to it.";
    if (!file::writeAtomically(path, saved::Serialize(m_records)))
        return "Saved messages could not be written to " + fileName() + ".";
    return std::nullopt;
}
