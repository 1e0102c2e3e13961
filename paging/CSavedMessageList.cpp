#include "paging/CSavedMessageList.h"

#include "paging/SavedMessagesFile.h"
#include "platform/file/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <span>
#include <utility>

namespace {

QString qtPath(const std::string &fileName)
{
    return QFile::decodeName(QByteArray::fromStdString(fileName));
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
    m_damagedOriginal = !file::copyAtomically(path, path + QStringLiteral(".damaged"));
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
        m_damagedOriginal = !file::copyAtomically(path, path + QStringLiteral(".damaged"));
    return !m_damagedOriginal && file::writeAtomically(path, saved::Serialize(m_records));
}
