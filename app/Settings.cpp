#include "app/Settings.h"

#include "platform/profile/Profile.h"
#include "platform/text/Ansi.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace {

// The address memory holds at most this many entries. "Total IPs" comes from a file anyone can
// edit: a count near INT_MAX would overflow and keep the program busy for hours.
constexpr int kMaxAddresses = 10000;

QFileInfo fileInfo(const std::string &path)
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path)));
}

} // namespace

namespace app {

Settings::Settings(std::string filePath) : m_filePath(std::move(filePath)) {}

std::string Settings::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    return profile::GetPrivateProfileString(section, key, defaultValue, m_filePath);
}

int Settings::GetInt(std::string_view section, std::string_view key, int defaultValue) const
{
    return profile::GetPrivateProfileInt(section, key, defaultValue, m_filePath);
}

bool Settings::WriteString(std::string_view section, std::string_view key,
                           std::optional<std::string_view> value)
{
    return profile::WritePrivateProfileString(section, key, value, m_filePath);
}

bool Settings::WriteInt(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool Settings::writable() const
{
    // A write replaces the file by a new one made beside it (see platform/file/AtomicFile.h).
    const QFileInfo file = fileInfo(m_filePath);
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable() &&
           (!file.exists() || (file.isFile() && file.isReadable() && file.isWritable()));
}

std::string Settings::folder() const
{
    return text::toAnsi(fileInfo(m_filePath).absolutePath());
}

bool Settings::isOn(const keys::WordSwitch &setting) const
{
    return GetString(setting.section, setting.key) == setting.word;
}

std::optional<int> Settings::number(const keys::OptionalNumber &setting) const
{
    const int value = GetInt(setting.section, setting.key, setting.unset);
    if (value == setting.unset)
        return std::nullopt;
    return value;
}

std::string Settings::eventSoundFile(std::string_view eventName) const
{
    return GetString(keys::kSounds, eventName);
}

bool Settings::eventSoundSwitchedOff(std::string_view eventName) const
{
    return !GetString(keys::kDisabledSounds, eventName).empty();
}

std::string Settings::aliasValue(std::string_view name) const
{
    return GetString(keys::kAlias, name);
}

void Settings::AddAddress(std::string_view entry)
{
    // The entry goes first: if it cannot be written, the count does not grow by an empty entry.
    const int count = addressCount();
    if (count < kMaxAddresses && WriteString(keys::kIpAddresses, addressKey(count + 1), entry))
        WriteInt(keys::kIpAddresses, keys::kTotalIps, count + 1);
}

void Settings::SaveAddressList(const std::vector<std::string> &items)
{
    const int stored = addressCount();
    for (int number = 1; number <= stored; ++number)
        WriteString(keys::kIpAddresses, addressKey(number), std::nullopt);
    const int count = static_cast<int>(std::min<std::size_t>(items.size(), kMaxAddresses));
    WriteInt(keys::kIpAddresses, keys::kTotalIps, count);
    for (int number = 1; number <= count; ++number)
        WriteString(keys::kIpAddresses, addressKey(number), items[number - 1]);
}

std::vector<std::string> Settings::addressList() const
{
    std::vector<std::string> names;
    for (int number = 1, count = addressCount(); number <= count; ++number)
        names.push_back(addressKey(number));
    return profile::GetPrivateProfileStrings(keys::kIpAddresses, names, {}, m_filePath);
}

int Settings::addressCount() const
{
    return std::clamp(GetInt(keys::kIpAddresses, keys::kTotalIps, keys::kDefaultTotalIps), 0,
                      kMaxAddresses);
}

std::string Settings::addressKey(int number)
{
    return std::string(keys::kIpPrefix) + std::to_string(number);
}

} // namespace app
