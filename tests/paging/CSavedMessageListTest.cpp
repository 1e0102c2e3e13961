#include "paging/CSavedMessageList.h"

#include "paging/SavedMessagesFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    CSavedMessageList list() const
    {
        return CSavedMessageList(QFile::encodeName(path()).toStdString());
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

TEST_F(SavedMessageListTest, DamagedFileIsKeptAsideAndReportedOnce)
{
    const Bytes whole = saved::Serialize(kThree);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes damaged(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        put(damaged);
        put({'o', 'l', 'd'}, QStringLiteral("Message.sav.damaged"));
        CSavedMessageList saved = list();
        const auto text = saved.LoadSavedMessages();
        ASSERT_TRUE(text.has_value());
        const saved::Parsed expected = saved::Parse(damaged);
        EXPECT_EQ(records(saved), expected.records);
        EXPECT_EQ(bytes(QStringLiteral("Message.sav.damaged")), damaged);
        EXPECT_EQ(bytes(), saved::Serialize(expected.records));
        EXPECT_EQ(list().LoadSavedMessages(), std::nullopt);
        if (expected.records.size() == 1) {
            EXPECT_EQ(*text, "Message.sav is damaged. 1 saved message was read from it; the "
                             "damaged file was kept as Message.sav.damaged.");
        }
    }
}

TEST_F(SavedMessageListTest, DamagedFileThatCannotBeKeptAsideIsNeverOverwritten)
{
    const Bytes whole = saved::Serialize(kThree);
    const Bytes damaged(whole.begin(), whole.end() - 1);
    put(damaged);
    // A folder in the way of the copy: the original cannot be kept aside.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Message.sav.damaged")));
    CSavedMessageList saved = list();
    const auto text = saved.LoadSavedMessages();
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("could not be kept"), std::string::npos);

    saved.AddSavedMessage({"new", "page", "h"});
    EXPECT_EQ(bytes(), damaged);

    // Once the copy can be made, it is made first and the list is written.
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Message.sav.damaged")));
    saved.RemoveSavedMessage(0);
    EXPECT_EQ(bytes(QStringLiteral("Message.sav.damaged")), damaged);
    EXPECT_EQ(bytes(), saved::Serialize(records(saved)));
}

TEST_F(SavedMessageListTest, OversizedOrUnreadableFileIsDamaged)
{
    Bytes huge = saved::Serialize(kThree);
    huge.resize(saved::kMaxFileSize + 1);
    put(huge);
    CSavedMessageList saved = list();
    EXPECT_EQ(saved.LoadSavedMessages(),
              "Message.sav is damaged. 3 saved messages were read from it; the damaged file was "
              "kept as Message.sav.damaged.");
    EXPECT_EQ(records(saved), kThree);
    EXPECT_EQ(bytes(QStringLiteral("Message.sav.damaged")), huge);

    // A directory in its place can neither be read nor kept aside.
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Message.sav")));
    EXPECT_EQ(saved.LoadSavedMessages(),
              "Message.sav is damaged. 0 saved messages were read from it; the damaged file "
              "could not be kept as Message.sav.damaged.");
    EXPECT_EQ(saved.GetCount(), 0u);
}

TEST_F(SavedMessageListTest, FailedWriteKeepsTheChange)
{
    CSavedMessageList nowhere(
        QFile::encodeName(m_dir.filePath(QStringLiteral("no/Message.sav"))).toStdString());
    nowhere.AddSavedMessage(kThree[0]);
    EXPECT_EQ(nowhere.GetCount(), 1u);
    EXPECT_FALSE(nowhere.WriteSavedMessages());
}

} // namespace
