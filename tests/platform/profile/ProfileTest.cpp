#include "platform/profile/Profile.h"

#include "platform/file/AtomicFile.h"
#include "platform/profile/WindowsDirectory.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace profile;

namespace {

const QString kIni = QStringLiteral("test.ini");
constexpr std::string_view kFile = "test.ini";

class ProfileTest : public ::testing::Test {
protected:
    QByteArray bytes(const QString &name) const
    {
        QFile file(m_windir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QString &name, const QByteArray &contents) const
    {
        QFile file(m_windir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    std::string read(std::string_view section, std::string_view key)
    {
        return GetPrivateProfileString(section, key, "(default)", kFile);
    }

    TempWindowsDirectory m_windir;
};

TEST_F(ProfileTest, NamesMatchWithoutCaseOrBlanksAndKeysKeepTheirLine)
{
    put(kIni, "[ Sounds ]\nStart Up = a.wav \nExit=b.wav\n");
    EXPECT_EQ(read("sounds", " START UP\t"), "a.wav");
    EXPECT_EQ(read("Sounds", "Start"), "(default)");

    ASSERT_TRUE(WritePrivateProfileString("SOUNDS", "start up", "c.wav", kFile));
    EXPECT_EQ(bytes(kIni), "[ Sounds ]\r\nStart Up=c.wav\r\nExit=b.wav\r\n");
    EXPECT_EQ(GetPrivateProfileKeys("sounds", kFile),
              (std::vector<std::string>{"Start Up", "Exit"}));
}

TEST_F(ProfileTest, WritesCrLfAndKeepsOtherLines)
{
    put(kIni, "; comment\n[A]\nx=1\njunk line\n\n[B]\ny=2");
    ASSERT_TRUE(WritePrivateProfileString("A", "url", "http://h/?a=b", kFile));
    ASSERT_TRUE(WritePrivateProfileString("C", "k", "v", kFile));
    EXPECT_EQ(bytes(kIni), "; comment\r\n[A]\r\nx=1\r\nurl=http://h/?a=b\r\njunk line\r\n"
                           "\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n");
    EXPECT_EQ(read("a", "URL"), "http://h/?a=b");
}

TEST_F(ProfileTest, DeletesKeysAndSections)
{
    ASSERT_TRUE(WritePrivateProfileString("Gone", "k", std::nullopt, kFile));
    EXPECT_FALSE(QFile::exists(m_windir.filePath(kIni))) << "nothing to delete creates no file";

    put(kIni, "[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nw=4\n");
    EXPECT_EQ(read("A", "w"), "(default)") << "the first section of a name counts";
    ASSERT_TRUE(WritePrivateProfileString("a", "X", std::nullopt, kFile));
    EXPECT_EQ(read("A", "x"), "(default)");
    EXPECT_EQ(read("A", "y"), "2");

    ASSERT_TRUE(WritePrivateProfileString("A", std::nullopt, std::nullopt, kFile));
    EXPECT_EQ(bytes(kIni), "[B]\r\nz=3\r\n");
}

TEST_F(ProfileTest, ValuesAreCutToTheBuffer)
{
    const std::string longValue(5000, 'x');
    ASSERT_TRUE(WritePrivateProfileString("A", "k", longValue, kFile));
    EXPECT_EQ(read("A", "k"), longValue.substr(0, 4095));
    EXPECT_EQ(GetPrivateProfileString("A", "k", "", kFile, 1), "");
}

TEST_F(ProfileTest, ManyKeysReadAtOnceAsOneByOne)
{
    put(kIni, "[A]\nx=long\ny=2\n");
    EXPECT_EQ(GetPrivateProfileStrings("a", {"Y", "gone", "x"}, "none", kFile, 4),
              (std::vector<std::string>{"2", "non", "lon"}));
}

TEST_F(ProfileTest, IntegersReadLikeStrtol)
{
    put(kIni, "[N]\nneg=-1\nmixed=12abc\nempty=\ntext=abc\nbig=99999999999\n"
              "small=-99999999999\n");
    EXPECT_EQ(GetPrivateProfileInt("N", "neg", 7, kFile), -1);
    EXPECT_EQ(GetPrivateProfileInt("N", "mixed", 7, kFile), 12);
    EXPECT_EQ(GetPrivateProfileInt("N", "empty", 7, kFile), 7);
    EXPECT_EQ(GetPrivateProfileInt("N", "absent", 7, kFile), 7);
    EXPECT_EQ(GetPrivateProfileInt("N", "text", 7, kFile), 0);
    EXPECT_EQ(GetPrivateProfileInt("N", "big", 7, kFile), INT_MAX);
    EXPECT_EQ(GetPrivateProfileInt("N", "small", 7, kFile), INT_MIN);
}

TEST_F(ProfileTest, RefusesNamesAndValuesThatWouldBreakTheFile)
{
    put(kIni, "[A]\r\nk=1\r\n");
    EXPECT_FALSE(WritePrivateProfileString("A]B", "k", "v", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A\nB", "k", "v", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A", "k\r\nx", "v", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A", "a=b", "v", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A", "[B", "v]", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "1\r\n[Evil]", kFile));
    EXPECT_FALSE(WritePrivateProfileString("A", "k", std::string_view("1\0x", 3), kFile));
    EXPECT_EQ(bytes(kIni), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileTest, FilesOfAnySizeAreReadAndWritten)
{
    const QByteArray longLine(2 * 1024 * 1024, ';');
    put(kIni, "[A]\r\n" + longLine + "\r\nk=1\r\n");
    EXPECT_EQ(read("A", "k"), "1");
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "2", kFile));
    EXPECT_EQ(bytes(kIni), "[A]\r\n" + longLine + "\r\nk=2\r\n");
}

TEST_F(ProfileTest, AFileChangedOnDiskIsReadAgain)
{
    put(kIni, "[A]\r\nk=1\r\n");
    EXPECT_EQ(read("A", "k"), "1");
    // Replaced by a file of the same size that keeps the old modification time, as a copy that
    // preserves times leaves it: only the inode and the change time tell.
    const QByteArray path = QFile::encodeName(m_windir.filePath(kIni));
    struct stat before {};
    ASSERT_EQ(stat(path.constData(), &before), 0);
    ASSERT_TRUE(file::writeAtomically(m_windir.filePath(kIni), "[A]\r\nk=2\r\n"));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    EXPECT_EQ(read("A", "k"), "2");
    ASSERT_TRUE(WritePrivateProfileString("B", "x", "3", kFile));
    EXPECT_EQ(bytes(kIni), "[A]\r\nk=2\r\n[B]\r\nx=3\r\n");
}

TEST_F(ProfileTest, AFifoReadsAsDefaultsWithoutBlockingAndIsNotReplaced)
{
    const QByteArray fifo = QFile::encodeName(m_windir.filePath(kIni));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(read("A", "k"), "(default)");
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "2", kFile));
    struct stat status {};
    ASSERT_EQ(stat(fifo.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(ProfileTest, BareFileNamesLiveInTheWindowsDirectory)
{
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "v", kFile));
    EXPECT_EQ(bytes(kIni), "[A]\r\nk=v\r\n");

    const std::string path = m_windir.filePath(QStringLiteral("sub.ini")).toStdString();
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "w", path));
    EXPECT_EQ(GetPrivateProfileString("A", "k", "", path), "w");
    const std::string nowhere = m_windir.filePath(QStringLiteral("no/sub.ini")).toStdString();
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "w", nowhere)) << "a failed write says so";

    const TempWindowsDirectory other;
    EXPECT_EQ(read("A", "k"), "(default)") << "the environment is read on every call";
}

TEST_F(ProfileTest, ReadingCreatesNothingAndTheFirstWriteCreatesTheWindowsDirectory)
{
    const QString fresh = m_windir.filePath(QStringLiteral("fresh"));
    qputenv("TARVIL_WINDIR", QFile::encodeName(fresh));
    EXPECT_EQ(read("A", "k"), "(default)");
    EXPECT_EQ(GetPrivateProfileInt("A", "k", 7, kFile), 7);
    EXPECT_TRUE(GetPrivateProfileKeys("A", kFile).empty());
    EXPECT_EQ(GetProfileInt("Mail", "MAPI", 0), 0);
    ASSERT_TRUE(WritePrivateProfileString("A", "gone", std::nullopt, kFile));
    EXPECT_FALSE(QFileInfo::exists(fresh));

    ASSERT_TRUE(WritePrivateProfileString("A", "k", "v", kFile));
    EXPECT_EQ(read("A", "k"), "v");
    EXPECT_EQ(QDir(fresh).entryList(QDir::Files), QStringList{kIni});

    // The same for a file named with the Windows directory's path, as the settings are.
    ASSERT_TRUE(QDir(fresh).removeRecursively());
    const std::string named = QFile::encodeName(QDir(fresh).filePath(kIni)).toStdString();
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "v", named));
    EXPECT_EQ(GetPrivateProfileString("A", "k", "", named), "v");
}

TEST_F(ProfileTest, PreparingTheWindowsDirectorySeedsWinIniOnlyWhenMissing)
{
    const QString fresh = m_windir.filePath(QStringLiteral("fresh"));
    const QString winIni = QStringLiteral("fresh/") + QString::fromLatin1(kWinIni);
    qputenv("TARVIL_WINDIR", QFile::encodeName(fresh));
    prepareWindowsDirectory(GetWindowsDirectory());
    EXPECT_EQ(bytes(winIni), "[Mail]\r\nMAPI=1\r\n");
    EXPECT_EQ(GetProfileInt("Mail", "MAPI", 0), 1);

    put(winIni, "[Mail]\r\nMAPI=0\r\n");
    prepareWindowsDirectory(GetWindowsDirectory());
    EXPECT_EQ(GetProfileInt("Mail", "MAPI", 1), 0);
}

} // namespace
