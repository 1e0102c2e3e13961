#include "platform/file/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QString &name, const QByteArray &contents) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
};

TEST_F(AtomicFileTest, CopiesTheWholeFileOrNothing)
{
    // Larger than one buffer of the copy.
    const QByteArray large(200 * 1024, 'x');
    put(QStringLiteral("large"), large);
    put(QStringLiteral("copy"), "old");
    EXPECT_TRUE(file::copyAtomically(path(QStringLiteral("large")), path(QStringLiteral("copy"))));
    EXPECT_EQ(bytes(QStringLiteral("copy")), large);

    EXPECT_FALSE(
        file::copyAtomically(path(QStringLiteral("missing")), path(QStringLiteral("copy"))));
    EXPECT_EQ(bytes(QStringLiteral("copy")), large);
}

// Runs in a child process whose files cannot grow past 1 KiB, as on a full disk: both
// replacements fail and must say so.
[[noreturn]] void replaceOnFullDisk(const QString &written, const QString &from,
                                    const QString &copied)
{
    const rlimit limit{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    const bool writeFailed = !file::writeAtomically(written, QByteArray(4000, 'x'));
    const bool copyFailed = !file::copyAtomically(from, copied);
    _exit(writeFailed && copyFailed ? 0 : 1);
}

TEST_F(AtomicFileTest, FailedReplacementLeavesTheOldFileAndNothingElse)
{
    put(QStringLiteral("written"), "old\r\n");
    put(QStringLiteral("copied"), "older\r\n");
    put(QStringLiteral("source"), QByteArray(4000, 'y'));
    EXPECT_EXIT(replaceOnFullDisk(path(QStringLiteral("written")), path(QStringLiteral("source")),
                                  path(QStringLiteral("copied"))),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(bytes(QStringLiteral("written")), "old\r\n");
    EXPECT_EQ(bytes(QStringLiteral("copied")), "older\r\n");
    EXPECT_EQ(files(), (QStringList{QStringLiteral("copied"), QStringLiteral("source"),
                                    QStringLiteral("written")}));
}

} // namespace
