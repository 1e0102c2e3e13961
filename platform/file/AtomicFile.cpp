#include "platform/file/AtomicFile.h"

#include <QFile>
#include <QSaveFile>
#include <array>

namespace file {
namespace {

// Unbuffered, so that a short write (the disk is full) shows in write()'s result: through the
// buffer, Qt 6.4's QSaveFile::commit() reports success for a truncated file.
bool openForReplacing(QSaveFile &target)
{
    return target.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

} // namespace

bool writeAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile target(path);
    if (!openForReplacing(target))
        return false;
    if (target.write(bytes.data(), bytes.size()) != bytes.size())
        target.cancelWriting();
    return target.commit();
}

bool copyAtomically(const QString &from, const QString &to)
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

} // namespace file
