#include "controls/common/PropertyExchange.h"

#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"

#include <utility>

namespace qv {

namespace {

constexpr std::uint8_t kObjectAbsent = 0xFF;
constexpr std::uint8_t kObjectPresent = 0x00;

} // namespace

PropertyExchange::PropertyExchange(Mode mode, std::vector<std::uint8_t> *out,
                                   std::span<const std::uint8_t> in)
    : m_mode(mode), m_out(out), m_reader(in)
{}

PropertyExchange PropertyExchange::forSaving(std::vector<std::uint8_t> &out)
{
    return PropertyExchange(Mode::Saving, &out, {});
}

PropertyExchange PropertyExchange::forChecking(std::span<const std::uint8_t> in)
{
    return PropertyExchange(Mode::Checking, nullptr, in);
}

PropertyExchange PropertyExchange::forLoading(std::span<const std::uint8_t> in)
{
    return PropertyExchange(Mode::Loading, nullptr, in);
}

template <typename T> void PropertyExchange::assign(T &target, T value)
{
    if (m_mode == Mode::Loading)
        target = std::move(value);
}

void PropertyExchange::exchange(Bool &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        ole::StreamWriter(*m_out).writeU8(static_cast<std::uint8_t>(value.stored()));
        return;
    }
    std::uint8_t byte = 0;
    if ((m_ok = m_reader.readU8(byte)))
        assign(value, Bool(static_cast<std::int8_t>(byte)));
}

void PropertyExchange::exchange(std::int16_t &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        ole::StreamWriter(*m_out).writeI16(value);
        return;
    }
    std::int16_t read = 0;
    if ((m_ok = m_reader.readI16(read)))
        assign(value, read);
}

void PropertyExchange::exchange(std::int32_t &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        ole::StreamWriter(*m_out).writeI32(value);
        return;
    }
    std::int32_t read = 0;
    if ((m_ok = m_reader.readI32(read)))
        assign(value, read);
}

void PropertyExchange::exchange(std::uint32_t &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        ole::StreamWriter(*m_out).writeU32(value);
        return;
    }
    std::uint32_t read = 0;
    if ((m_ok = m_reader.readU32(read)))
        assign(value, read);
}

void PropertyExchange::exchange(std::string &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        m_ok = ole::StreamWriter(*m_out).writeString(value);
        return;
    }
    std::string read;
    if ((m_ok = m_reader.readString(read)))
        assign(value, std::move(read));
}

void PropertyExchange::exchangeHeader(std::uint32_t &value)
{
    if (!m_ok)
        return;
    if (!isLoading())
        ole::StreamWriter(*m_out).writeU32(value);
    else
        m_ok = m_reader.readU32(value);
}

bool PropertyExchange::readObjectHeader(bool &present, const ole::Clsid &clsid)
{
    std::uint8_t flag = 0;
    std::vector<std::uint8_t> id;
    if (!m_reader.readU8(flag) || (flag != kObjectAbsent && flag != kObjectPresent))
        return false;
    present = flag == kObjectPresent;
    // An object of another class has a stream of unknown length: nothing after it can be read.
    return !present || (m_reader.readBytes(16, id) && ole::Clsid::fromBytes(id) == clsid);
}

void PropertyExchange::writeObjectHeader(bool present, const ole::Clsid &clsid)
{
    ole::StreamWriter writer(*m_out);
    writer.writeU8(present ? kObjectPresent : kObjectAbsent);
    if (present)
        writer.writeBytes(clsid.toBytes());
}

void PropertyExchange::exchangePicture(std::shared_ptr<ole::StdPicture> &value, bool iconOnly)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        writeObjectHeader(value != nullptr, ole::StdPicture::kClsid);
        if (value) {
            ole::StreamWriter writer(*m_out);
            m_ok = value->save(writer);
        }
        return;
    }
    bool present = false;
    std::shared_ptr<ole::StdPicture> picture;
    m_ok = readObjectHeader(present, ole::StdPicture::kClsid) &&
           (!present || ole::StdPicture::load(m_reader, picture));
    if (!m_ok)
        return;
    if (iconOnly) {
        if (picture && picture->type() != ole::StdPicture::Type::Icon &&
            picture->type() != ole::StdPicture::Type::None)
            picture.reset();
    } else if (present && !picture) {
        m_ok = false;
        return;
    }
    assign(value, std::move(picture));
}

void PropertyExchange::exchange(std::shared_ptr<ole::StdPicture> &value)
{
    exchangePicture(value, false);
}

void PropertyExchange::exchangeIcon(std::shared_ptr<ole::StdPicture> &value)
{
    exchangePicture(value, true);
}

void PropertyExchange::exchange(std::shared_ptr<ole::StdFont> &value)
{
    if (!m_ok)
        return;
    if (!isLoading()) {
        writeObjectHeader(value != nullptr, ole::StdFont::kClsid);
        if (value) {
            ole::StreamWriter writer(*m_out);
            value->save(writer);
        }
        return;
    }
    bool present = false;
    std::shared_ptr<ole::StdFont> font;
    m_ok = readObjectHeader(present, ole::StdFont::kClsid) &&
           (!present || (font = ole::StdFont::load(m_reader)));
    if (m_ok)
        assign(value, std::move(font));
}

} // namespace qv
