#include "app/Settings.h"

#include "platform/profile/Profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::vector<std::string> addressKeys() const
    {
        std::vector<std::string> found;
        for (auto &key : profile::GetPrivateProfileKeys(keys::kIpAddresses, m_path)) {
            if (key.starts_with(keys::kIpPrefix))
                found.push_back(key);
        }
        return found;
    }
    int totalIps() const { return m_settings.GetInt(keys::kIpAddresses, keys::kTotalIps, -99); }

    QTemporaryDir m_folder;
    std::string m_path = m_folder.filePath(QStringLiteral("tarvil32.INI")).toStdString();
    app::Settings m_settings{m_path};
};

TEST_F(SettingsTest, ReadsDefaultsAndRealValues)
{
    EXPECT_EQ(m_settings.number(keys::kChatForeground), std::nullopt);
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_path)));

    // Black is a colour; only -1 means "not set".
    ASSERT_TRUE(m_settings.WriteInt(keys::kChatColors, keys::kForeground, 0));
    EXPECT_EQ(m_settings.number(keys::kChatForeground), std::optional<int>(0));
    ASSERT_TRUE(m_settings.WriteInt(keys::kChatColors, keys::kForeground, -1));
    EXPECT_EQ(m_settings.number(keys::kChatForeground), std::nullopt);
    ASSERT_TRUE(m_settings.WriteString(keys::kSounds, keys::kExit, std::string(5000, 'x')));
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit).size(), 4095u);
    ASSERT_TRUE(m_settings.WriteString(keys::kSounds, keys::kExit, std::nullopt));
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit, "none"), "none");
}

// Stored words are compared exactly, and a stored "unset" number is no number.
TEST_F(SettingsTest, RulesReadStoredWordsExactly)
{
    EXPECT_FALSE(m_settings.isOn(keys::kAllSoundsOff));
    m_settings.WriteString(keys::kDisabledSounds, keys::kAll, "true");
    EXPECT_FALSE(m_settings.isOn(keys::kAllSoundsOff));
    m_settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    EXPECT_TRUE(m_settings.isOn(keys::kAllSoundsOff));

    m_settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "false");
    EXPECT_FALSE(m_settings.isOn(keys::kBalloonsOff));
    m_settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "FALSE");
    EXPECT_TRUE(m_settings.isOn(keys::kBalloonsOff));

    EXPECT_EQ(m_settings.number(keys::kBalloonDelay), std::nullopt);
    m_settings.WriteInt(keys::kBalloonHelp, keys::kDelay, 100);
    EXPECT_EQ(m_settings.number(keys::kBalloonDelay), std::nullopt);
    m_settings.WriteInt(keys::kBalloonHelp, keys::kDelay, 3);
    EXPECT_EQ(m_settings.number(keys::kBalloonDelay), std::optional<int>(3));
}

TEST_F(SettingsTest, AddressMemoryGrowsAndShrinks)
{
    for (const char *entry : {"10.0.0.1", "host", "team", "a,b", "10.0.0.5"})
        m_settings.AddAddress(entry);
    EXPECT_EQ(totalIps(), 5);
    EXPECT_EQ(m_settings.GetString(keys::kIpAddresses, "IP-4"), "a,b");

    m_settings.SaveAddressList({"host", "a,b"});
    EXPECT_EQ(m_settings.addressList(), (std::vector<std::string>{"host", "a,b"}));
    EXPECT_EQ(addressKeys(), (std::vector<std::string>{"IP-1", "IP-2"}));

    m_settings.SaveAddressList({});
    EXPECT_EQ(totalIps(), 0);
    EXPECT_TRUE(addressKeys().empty());
}

TEST_F(SettingsTest, DamagedCountsGiveEmptyOrBoundedEntries)
{
    m_settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, 3);
    m_settings.WriteString(keys::kIpAddresses, "IP-2", "host");
    EXPECT_EQ(m_settings.addressList(), (std::vector<std::string>{"", "host", ""}));

    m_settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, -5);
    EXPECT_TRUE(m_settings.addressList().empty());
    m_settings.AddAddress("first");
    EXPECT_EQ(m_settings.addressList(), (std::vector<std::string>{"first"}));

    // A count near INT_MAX neither overflows nor makes a list of billions of entries.
    m_settings.WriteString(keys::kIpAddresses, keys::kTotalIps, "2147483647");
    m_settings.AddAddress("next");
    EXPECT_EQ(totalIps(), 2147483647);
    const auto entries = m_settings.addressList();
    EXPECT_LE(entries.size(), 100000u);
    EXPECT_EQ(entries.front(), "first");
}

} // namespace
