#include "paging/SavedMessagesFile.h"

#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"

#include <algorithm>
#include <bitset>
#include <limits>
#include <string_view>

namespace saved {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassReference = 0x8000;
constexpr std::uint16_t kSchema = 1;
constexpr std::string_view kClassName = "CSavedMessage";
// The least a record takes: a tag referring back to the class and three empty strings.
constexpr std::size_t kMinRecordSize = 2 + 3;
// The index the class takes when the first record introduces it; 0 stands for "no object".
constexpr std::uint16_t kFirstIndex = 1;

// A count below 0xFFFF in two bytes; from there on FF FF and four bytes.
constexpr std::uint16_t kLongCount = 0xFFFF;
// A string length below 0xFF in one byte; below 0xFFFE as FF and two bytes; from there on as
// FF FF FF and four bytes.
constexpr std::uint8_t kMediumLength = 0xFF;
constexpr std::uint16_t kLongLength = 0xFFFF;
constexpr std::uint16_t kFirstLongLength = 0xFFFE;

void writeString(ole::StreamWriter &out, std::string_view text)
{
    // Four bytes are the most a length can take; a page never comes near that.
    const auto length = static_cast<std::uint32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max()));
    if (length < kMediumLength) {
        out.writeU8(static_cast<std::uint8_t>(length));
    } else {
        out.writeU8(kMediumLength);
        if (length < kFirstLongLength) {
            out.writeU16(static_cast<std::uint16_t>(length));
        } else {
            out.writeU16(kLongLength);
            out.writeU32(length);
        }
    }
    out.writeBytes({reinterpret_cast<const std::uint8_t *>(text.data()), length});
}

bool readString(ole::StreamReader &in, std::string &text)
{
    std::uint8_t shortLength = 0;
    if (!in.readU8(shortLength))
        return false;
    std::uint32_t length = shortLength;
    if (shortLength == kMediumLength) {
        std::uint16_t mediumLength = 0;
        // 0xFFFE is no length in either form: 65534 bytes already take the four-byte form.
        if (!in.readU16(mediumLength) || mediumLength == kFirstLongLength)
            return false;
        length = mediumLength;
        if (mediumLength == kLongLength && !in.readU32(length))
            return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!in.readBytes(length, bytes))
        return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

// Every class and every record read takes the next index; a tag may refer back to a class by
// its index while that index still fits in the tag's fifteen bits.
class ObjectIndexes {
public:
    bool readClassTag(ole::StreamReader &in)
    {
        std::uint16_t tag = 0;
        if (!in.readU16(tag))
            return false;
        if (tag == kNewClassTag)
            return readNewClass(in);
        const std::uint16_t index = tag & ~kClassReference;
        return (tag & kClassReference) != 0 && m_isClass.test(index);
    }
    void recordRead() { ++m_next; }

private:
    bool readNewClass(ole::StreamReader &in)
    {
        std::uint16_t schema = 0;
        std::uint16_t nameLength = 0;
        std::vector<std::uint8_t> name;
        if (!in.readU16(schema) || schema != kSchema || !in.readU16(nameLength) ||
            !in.readBytes(nameLength, name) || !std::ranges::equal(name, kClassName))
            return false;
        if (m_next < m_isClass.size())
            m_isClass.set(m_next);
        ++m_next;
        return true;
    }

    std::bitset<kClassReference> m_isClass;
    std::size_t m_next = kFirstIndex;
};

} // namespace

std::vector<std::uint8_t> Serialize(std::span<const CSavedMessage> records)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter out(bytes);
    if (records.size() < kLongCount) {
        out.writeU16(static_cast<std::uint16_t>(records.size()));
    } else {
        out.writeU16(kLongCount);
        out.writeU32(static_cast<std::uint32_t>(records.size()));
    }
    for (const CSavedMessage &record : records) {
        if (&record == &records.front()) {
            out.writeU16(kNewClassTag);
            out.writeU16(kSchema);
            out.writeU16(static_cast<std::uint16_t>(kClassName.size()));
            out.writeBytes(
                {reinterpret_cast<const std::uint8_t *>(kClassName.data()), kClassName.size()});
        } else {
            out.writeU16(kClassReference | kFirstIndex);
        }
        writeString(out, record.m_title);
        writeString(out, record.m_text);
        writeString(out, record.m_sender);
    }
    return bytes;
}

Parsed Parse(std::span<const std::uint8_t> bytes)
{
    Parsed parsed;
    ole::StreamReader in(bytes);
    std::uint16_t shortCount = 0;
    std::uint32_t count = 0;
    bool ok = in.readU16(shortCount);
    count = shortCount;
    if (ok && shortCount == kLongCount)
        ok = in.readU32(count);

    // Room is made only for as many records as the bytes left can hold: a count beyond that is
    // damage, found where the bytes run out.
    parsed.records.reserve(std::min<std::size_t>(count, in.remaining() / kMinRecordSize));
    ObjectIndexes indexes;
    for (std::uint32_t i = 0; ok && i < count; ++i) {
        CSavedMessage record;
        ok = indexes.readClassTag(in) && readString(in, record.m_title) &&
             readString(in, record.m_text) && readString(in, record.m_sender);
        if (ok) {
            indexes.recordRead();
            parsed.records.push_back(std::move(record));
        }
    }
    parsed.damaged = !ok;
    return parsed;
}

} // namespace saved
