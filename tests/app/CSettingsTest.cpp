#include "app/CSettings.h"

#include "app/SettingsKeys.h"
#include "platform/profile/Profile.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr std::string_view kFile = "tarvil32.INI";

class CSettingsTest : public ::testing::Test {
protected:
    std::vector<std::string> addressKeys() const
    {
        std::vector<std::string> found;
        for (auto &key : profile::GetPrivateProfileKeys(keys::kIpAddresses, kFile)) {
            if (key.starts_with(keys::kIpPrefix))
                found.push_back(key);
        }
        return found;
    }
    int totalIps() const { return m_settings.GetInt(keys::kIpAddresses, keys::kTotalIps, -99); }

    TempWindowsDirectory m_windir;
    CSettings m_settings{std::string(kFile)};
};

TEST_F(CSettingsTest, ReadsDefaultsAndRealValues)
{
    EXPECT_EQ(m_settings.GetInt(keys::kChatColors, keys::kForeground, keys::kColorNotSet), -1);
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit), "");
    EXPECT_FALSE(QFile::exists(m_windir.filePath(QStringLiteral("tarvil32.INI"))));

    ASSERT_TRUE(m_settings.WriteInt(keys::kChatColors, keys::kForeground, 0));
    EXPECT_EQ(m_settings.GetInt(keys::kChatColors, keys::kForeground, keys::kColorNotSet), 0);
    ASSERT_TRUE(m_settings.WriteString(keys::kSounds, keys::kExit, std::string(5000, 'x')));
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit).size(), 4095u);
    ASSERT_TRUE(m_settings.WriteString(keys::kSounds, keys::kExit, std::nullopt));
    EXPECT_EQ(m_settings.GetString(keys::kSounds, keys::kExit, "none"), "none");
}

TEST_F(CSettingsTest, AddressMemoryGrowsAndShrinks)
{
    for (const char *entry : {"10.0.0.1", "host", "team", "a,b", "10.0.0.5"})
        m_settings.AddAddress(entry);
    EXPECT_EQ(totalIps(), 5);
    EXPECT_EQ(m_settings.GetString(keys::kIpAddresses, "IP-4"), "a,b");

    m_settings.SaveAddressList({"host", "a,b"});
    EXPECT_EQ(m_settings.AddressList(), (std::vector<std::string>{"host", "a,b"}));
    EXPECT_EQ(addressKeys(), (std::vector<std::string>{"IP-1", "IP-2"}));

    m_settings.SaveAddressList({});
    EXPECT_EQ(totalIps(), 0);
    EXPECT_TRUE(addressKeys().empty());
}

TEST_F(CSettingsTest, DamagedCountsGiveEmptyOrBoundedEntries)
{
    m_settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, 3);
    m_settings.WriteString(keys::kIpAddresses, "IP-2", "host");
    EXPECT_EQ(m_settings.AddressList(), (std::vector<std::string>{"", "host", ""}));

    m_settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, -5);
    EXPECT_TRUE(m_settings.AddressList().empty());
    m_settings.AddAddress("first");
    EXPECT_EQ(m_settings.AddressList(), (std::vector<std::string>{"first"}));

    // A count near INT_MAX neither overflows nor makes a list of billions of entries.
    m_settings.WriteString(keys::kIpAddresses, keys::kTotalIps, "2147483647");
    m_settings.AddAddress("next");
    EXPECT_EQ(totalIps(), 2147483647);
    const auto entries = m_settings.AddressList();
    EXPECT_LE(entries.size(), 100000u);
    EXPECT_EQ(entries.front(), "first");
}

} // namespace
