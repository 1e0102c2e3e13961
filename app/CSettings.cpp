#include "app/CSettings.h"

#include "app/SettingsKeys.h"
#include "platform/profile/Profile.h"

#include <algorithm>
#include <utility>

namespace {

// The address memory holds at most this many entries. "Total IPs" comes from a file anyone can
// edit: a count near INT_MAX would overflow and keep the program busy for hours.
constexpr int kMaxAddresses = 10000;

} // namespace

CSettings::CSettings(std::string fileName) : m_fileName(std::move(fileName)) {}

std::string CSettings::GetString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const
{
    return profile::GetPrivateProfileString(section, key, defaultValue, m_fileName);
}

int CSettings::GetInt(std::string_view section, std::string_view key, int defaultValue) const
{
    return profile::GetPrivateProfileInt(section, key, defaultValue, m_fileName);
}

bool CSettings::WriteString(std::string_view section, std::string_view key,
                            std::optional<std::string_view> value)
{
    return profile::WritePrivateProfileString(section, key, value, m_fileName);
}

bool CSettings::WriteInt(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

void CSettings::AddAddress(std::string_view entry)
{
    // The entry goes first: if it cannot be written, the count does not grow by an empty entry.
    const int count = AddressCount();
    if (count < kMaxAddresses && WriteString(keys::kIpAddresses, AddressKey(count + 1), entry))
        WriteInt(keys::kIpAddresses, keys::kTotalIps, count + 1);
}

void CSettings::SaveAddressList(const std::vector<std::string> &items)
{
    const int stored = AddressCount();
    for (int number = 1; number <= stored; ++number)
        WriteString(keys::kIpAddresses, AddressKey(number), std::nullopt);
    const int count = static_cast<int>(std::min<std::size_t>(items.size(), kMaxAddresses));
    WriteInt(keys::kIpAddresses, keys::kTotalIps, count);
    for (int number = 1; number <= count; ++number)
        WriteString(keys::kIpAddresses, AddressKey(number), items[number - 1]);
}

std::vector<std::string> CSettings::AddressList() const
{
    std::vector<std::string> entries;
    for (int number = 1, count = AddressCount(); number <= count; ++number)
        entries.push_back(GetString(keys::kIpAddresses, AddressKey(number)));
    return entries;
}

int CSettings::AddressCount() const
{
    return std::clamp(GetInt(keys::kIpAddresses, keys::kTotalIps, keys::kDefaultTotalIps), 0,
                      kMaxAddresses);
}

std::string CSettings::AddressKey(int number)
{
    return std::string(keys::kIpPrefix) + std::to_string(number);
}
