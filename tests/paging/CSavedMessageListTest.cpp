#include "paging/CSavedMessageList.h"

#include "paging/SavedMessagesFile.h"
#include "platform/file/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::vector<CSavedMessage> kThree = {
    {"x - 12/07/26 09:56:09", "one\r\ntwo", "10.0.0.1"}, {"y", "", "host"}, {"z", "3", ""}};

class SavedMessageListTest : public ::testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("Message.sav")) const
    {
        return m_dir.filePath(name);
    }
    Bytes bytes(const QString &name = QStringLiteral("Message.sav")) const
    {
        QFile file(path(name));
        const QByteArray all = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return Bytes(all.begin(), all.end());
    }
    void put(const Bytes &contents, const QString &name = QStringLiteral("Message.sav")) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(contents.data()),
                   static_cast<qint64>(contents.size()));
    }
    CSavedMessageList list(const QString &name = QStringLiteral("Message.sav")) const
    {
        return CSavedMessageList(QFile::encodeName(path(name)).toStdString());
    }
    // Everything in the folder, links to nothing included.
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    std::vector<CSavedMessage> records(const CSavedMessageList &saved) const
    {
        std::vector<CSavedMessage> all;
        for (std::size_t i = 0; i < saved.GetCount(); ++i)
            all.push_back(saved.GetAt(i));
        return all;
    }

    QTemporaryDir m_dir;
};

TEST_F(SavedMessageListTest, EveryChangeRewritesTheFile)
{
    CSavedMessageList saved = list();
    EXPECT_EQ(saved.LoadSavedMessages(), std::nullopt);
    EXPECT_EQ(saved.GetCount(), 0u);
    EXPECT_FALSE(QFile::exists(path()));

    for (const CSavedMessage &record : kThree)
        saved.AddSavedMessage(record);
    EXPECT_EQ(bytes(), saved::Serialize(kThree));

    saved.RemoveSavedMessage(0);
    saved.RemoveSavedMessage(2); // past the end: nothing
    const std::vector<CSavedMessage> rest(kThree.begin() + 1, kThree.end());
    EXPECT_EQ(records(saved), rest);
    const Bytes file = bytes();
    EXPECT_EQ(file, saved::Serialize(rest));
    EXPECT_EQ(file[2], 0xFF);
    EXPECT_EQ(file[3], 0xFF);
    const std::size_t secondTag = 2 + 19 + 8; // count, class, then "y", "", "host"
    EXPECT_EQ(file[secondTag], 0x01);
    EXPECT_EQ(file[secondTag + 1], 0x80);

    CSavedMessageList again = list();
    EXPECT_EQ(again.LoadSavedMessages(), std::nullopt);
    EXPECT_EQ(records(again), rest);

    saved.RemoveSavedMessage(1);
    saved.RemoveSavedMessage(0);
    EXPECT_EQ(bytes(), Bytes({0x00, 0x00}));
}

TEST_F(SavedMessageListTest, DamagedFilesAreKeptAsideUnderNewNamesAndReportedOnce)
{
    put({'o', 'l', 'd'}, QStringLiteral("Message.sav.damaged"));
    // A link to nothing takes its name too: nothing is written through it.
    ASSERT_TRUE(QFile::link(path(QStringLiteral("elsewhere")),
                            path(QStringLiteral("Message.sav.damaged.1"))));
    const Bytes whole = saved::Serialize(kThree);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes damaged(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        put(damaged);
        CSavedMessageList saved = list();
        const auto text = saved.LoadSavedMessages();
        ASSERT_TRUE(text.has_value());
        const saved::Parsed expected = saved::Parse(damaged);
        EXPECT_EQ(records(saved), expected.records);
        const QString copy = QStringLiteral("Message.sav.damaged.%1").arg(cut + 2);
        EXPECT_EQ(bytes(copy), damaged);
        EXPECT_EQ(bytes(), saved::Serialize(expected.records));
        EXPECT_EQ(list().LoadSavedMessages(), std::nullopt);
        if (expected.records.size() == 1) {
            EXPECT_EQ(*text, "Message.sav is damaged. 1 saved message was read from it; the "
                             "damaged file was kept as " +
                                 copy.toStdString() + ".");
        }
    }
    EXPECT_EQ(bytes(QStringLiteral("Message.sav.damaged")), Bytes({'o', 'l', 'd'}));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("elsewhere"))));
}

TEST_F(SavedMessageListTest, DamagedFileThatCannotBeKeptAsideIsNeverOverwritten)
{
    // Any longer than this name, a copy's name is too long for the file system, while the file
    // itself can still be replaced.
    const QString name = QString(244, QLatin1Char('m')) + QStringLiteral(".sav");
    const Bytes whole = saved::Serialize(kThree);
    const Bytes damaged(whole.begin(), whole.end() - 1);
    ASSERT_TRUE(file::writeAtomically(path(name), QByteArrayView(damaged)));
    CSavedMessageList saved = list(name);
    const auto text = saved.LoadSavedMessages();
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("could not be kept as " + name.toStdString() + ".damaged."),
              std::string::npos);

    EXPECT_EQ(saved.AddSavedMessage({"new", "page", "h"}),
              name.toStdString() + " is damaged and could not be kept as " + name.toStdString() +
                  ".damaged, so saved messages are not written to it.");
    EXPECT_EQ(bytes(name), damaged);
}

TEST_F(SavedMessageListTest, WellFormedFileOfAnySizeLoadsWhole)
{
    const CSavedMessage large("t", std::string(64 * 1024 * 1024 + 1, 'x'), "h");
    put(saved::Serialize(std::span(&large, 1)));
    CSavedMessageList saved = list();
    EXPECT_EQ(saved.LoadSavedMessages(), std::nullopt);
    ASSERT_EQ(saved.GetCount(), 1u);
    EXPECT_TRUE(saved.GetAt(0) == large);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Message.sav")});
}

TEST_F(SavedMessageListTest, AnythingButARegularFileIsLeftAlone)
{
    const QByteArray fifo = QFile::encodeName(path());
    for (const QString &linkTo :
         {QString(), QStringLiteral("/dev/zero"), path(QStringLiteral("nothing"))}) {
        SCOPED_TRACE(linkTo.toStdString());
        QFile::remove(path());
        if (linkTo.isEmpty())
            ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
        else
            ASSERT_TRUE(QFile::link(linkTo, path()));
        CSavedMessageList saved = list();
        EXPECT_EQ(saved.LoadSavedMessages(),
                  "Message.sav is not a regular file, so saved messages were not loaded from it "
                  "and will not be written to it.");
        EXPECT_EQ(saved.AddSavedMessage(kThree[0]),
                  "Message.sav is not a regular file, so saved messages are not written to it.");
        EXPECT_FALSE(QFileInfo(path()).isFile());
        EXPECT_EQ(QFileInfo(path()).symLinkTarget(), linkTo);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("Message.sav")});
    }
}

TEST_F(SavedMessageListTest, FileThatCannotBeReadIsNeverReplaced)
{
    // Tests run as root, who reads every file: a folder stands for the file that cannot be read.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Message.sav")));
    CSavedMessageList saved = list();
    EXPECT_EQ(saved.LoadSavedMessages(), "Message.sav cannot be read, so saved messages were not "
                                         "loaded from it and will not be written to it.");
    EXPECT_EQ(saved.GetCount(), 0u);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Message.sav")});

    // A file in its place, as that file would be once readable, is not replaced either.
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Message.sav")));
    put({'o', 'l', 'd'});
    EXPECT_EQ(saved.AddSavedMessage(kThree[0]),
              "Message.sav cannot be read, so saved messages are not written to it.");
    EXPECT_EQ(bytes(), Bytes({'o', 'l', 'd'}));
}

TEST_F(SavedMessageListTest, FailedWriteKeepsTheChange)
{
    CSavedMessageList nowhere(
        QFile::encodeName(m_dir.filePath(QStringLiteral("no/Message.sav"))).toStdString());
    EXPECT_EQ(nowhere.AddSavedMessage(kThree[0]),
              "Saved messages could not be written to Message.sav.");
    EXPECT_EQ(nowhere.GetCount(), 1u);
    EXPECT_FALSE(nowhere.WriteSavedMessages());
}

} // namespace
