#pragma once

#include <QByteArrayView>
#include <QString>

// Files replaced whole or not at all. The new contents go to a new file in the same folder, which
// then takes the old file's place: after a crash, a full disk or any other failure the old file
// is still there byte for byte, and no partly written file is left beside it.
namespace file {

// Replaces the file at path (or creates it) with bytes. False when they could not all be written.
bool writeAtomically(const QString &path, QByteArrayView bytes);

// Replaces the file at `to` (or creates it) with a copy of the whole file at `from`, however
// large. False when `from` cannot be read to its end or the copy cannot be written whole.
bool copyAtomically(const QString &from, const QString &to);

} // namespace file
