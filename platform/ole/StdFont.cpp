#include "platform/ole/StdFont.h"

#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"
#include "platform/text/Ansi.h"

#include <cmath>
#include <limits>
#include <utility>

namespace ole {

namespace {

constexpr std::uint8_t kStreamVersion = 1;
constexpr std::uint8_t kItalicFlag = 0x02;
constexpr std::uint8_t kUnderlineFlag = 0x04;
constexpr std::uint8_t kStrikethroughFlag = 0x08;
constexpr std::int16_t kNormalWeight = 400;
constexpr std::int16_t kBoldWeight = 700;
constexpr std::int16_t kMaxWeight = 1000;
constexpr std::size_t kMaxNameLength = 0xFF;
// The resolution at which a size in pixels is taken as points.
constexpr double kScreenDpi = 96.0;

constexpr MemberName kMembers[] = {
    {"Name", StdFont::DISPID_NAME},           {"Size", StdFont::DISPID_SIZE},
    {"Bold", StdFont::DISPID_BOLD},           {"Italic", StdFont::DISPID_ITALIC},
    {"Underline", StdFont::DISPID_UNDERLINE}, {"Strikethrough", StdFont::DISPID_STRIKETHROUGH},
    {"Weight", StdFont::DISPID_WEIGHT},       {"Charset", StdFont::DISPID_CHARSET},
};

} // namespace

std::shared_ptr<StdFont> StdFont::load(StreamReader &stream)
{
    // Read into locals against a copy of the reader, so a damaged stream consumes nothing.
    StreamReader reader = stream;
    std::uint8_t version = 0;
    std::int16_t charset = 0;
    std::uint8_t style = 0;
    std::int16_t weight = 0;
    std::uint32_t size = 0;
    std::uint8_t nameLength = 0;
    std::vector<std::uint8_t> name;
    if (!reader.readU8(version) || version != kStreamVersion || !reader.readI16(charset) ||
        !reader.readU8(style) || !reader.readI16(weight) || !reader.readU32(size) ||
        !reader.readU8(nameLength) || !reader.readBytes(nameLength, name))
        return nullptr;
    auto font = std::make_shared<StdFont>();
    font->m_charset = charset;
    font->m_italic = style & kItalicFlag;
    font->m_underline = style & kUnderlineFlag;
    font->m_strikethrough = style & kStrikethroughFlag;
    font->m_weight = weight;
    font->m_size = Currency{size};
    font->m_name.assign(name.begin(), name.end());
    stream = reader;
    return font;
}

void StdFont::save(StreamWriter &stream) const
{
    stream.writeU8(kStreamVersion);
    stream.writeI16(m_charset);
    stream.writeU8(static_cast<std::uint8_t>((m_italic ? kItalicFlag : 0) |
                                             (m_underline ? kUnderlineFlag : 0) |
                                             (m_strikethrough ? kStrikethroughFlag : 0)));
    stream.writeI16(m_weight);
    // Puts keep the size within 4 bytes and the name within one length byte.
    stream.writeU32(static_cast<std::uint32_t>(m_size.value));
    stream.writeU8(static_cast<std::uint8_t>(m_name.size()));
    stream.writeBytes({reinterpret_cast<const std::uint8_t *>(m_name.data()), m_name.size()});
}

std::shared_ptr<StdFont> StdFont::clone() const
{
    auto copy = std::make_shared<StdFont>(*this);
    copy->m_changed = nullptr;
    return copy;
}

QFont StdFont::toQFont(int dpiY) const
{
    QFont font(text::fromAnsi(m_name));
    const double points = static_cast<double>(m_size.value) / 10000.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpiY / 72.0))));
    // Weight 0 means the default weight; Qt's scale runs 1..1000 like the persisted one.
    font.setWeight(static_cast<QFont::Weight>(m_weight <= 0 ? kNormalWeight
                                                            : std::min<int>(m_weight, kMaxWeight)));
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikethrough);
    return font;
}

std::shared_ptr<StdFont> StdFont::fromQFont(const QFont &font)
{
    auto result = std::make_shared<StdFont>();
    result->m_name = text::toAnsi(font.family()).substr(0, kMaxNameLength);
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / kScreenDpi;
    result->m_size = Currency{std::max<std::int64_t>(1, std::llround(points * 10000.0))};
    result->m_weight = static_cast<std::int16_t>(font.weight());
    result->m_italic = font.italic();
    result->m_underline = font.underline();
    result->m_strikethrough = font.strikeOut();
    return result;
}

void StdFont::setChangeHandler(std::function<void(DispId)> handler)
{
    m_changed = std::move(handler);
}

HRESULT StdFont::getProperty(DispId id, Variant &result, ExcepInfo *)
{
    switch (id) {
    case DISPID_NAME:
        result = m_name;
        return S_OK;
    case DISPID_SIZE:
        result = m_size;
        return S_OK;
    case DISPID_BOLD:
        result = bold();
        return S_OK;
    case DISPID_ITALIC:
        result = m_italic;
        return S_OK;
    case DISPID_UNDERLINE:
        result = m_underline;
        return S_OK;
    case DISPID_STRIKETHROUGH:
        result = m_strikethrough;
        return S_OK;
    case DISPID_WEIGHT:
        result = m_weight;
        return S_OK;
    case DISPID_CHARSET:
        result = m_charset;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT StdFont::putProperty(DispId id, const Variant &value, ExcepInfo *)
{
    switch (id) {
    case DISPID_NAME: {
        auto name = toString(value);
        if (!name)
            return DISP_E_TYPEMISMATCH;
        if (name->size() > kMaxNameLength)
            return E_INVALIDARG;
        m_name = std::move(*name);
        break;
    }
    case DISPID_SIZE: {
        const auto size = toCurrency(value);
        if (!size)
            return DISP_E_TYPEMISMATCH;
        if (size->value <= 0 || size->value > std::numeric_limits<std::uint32_t>::max())
            return E_INVALIDARG;
        m_size = *size;
        break;
    }
    case DISPID_WEIGHT: {
        const auto weight = toShort(value);
        if (!weight)
            return DISP_E_TYPEMISMATCH;
        if (*weight < 0 || *weight > kMaxWeight)
            return E_INVALIDARG;
        m_weight = *weight;
        break;
    }
    case DISPID_CHARSET: {
        const auto charset = toShort(value);
        if (!charset)
            return DISP_E_TYPEMISMATCH;
        m_charset = *charset;
        break;
    }
    case DISPID_BOLD:
    case DISPID_ITALIC:
    case DISPID_UNDERLINE:
    case DISPID_STRIKETHROUGH: {
        const auto flag = toBool(value);
        if (!flag)
            return DISP_E_TYPEMISMATCH;
        if (id == DISPID_BOLD)
            m_weight = *flag ? kBoldWeight : kNormalWeight;
        else
            (id == DISPID_ITALIC      ? m_italic
             : id == DISPID_UNDERLINE ? m_underline
                                      : m_strikethrough) = *flag;
        break;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    // A copy: the handler may replace itself.
    if (const auto changed = m_changed)
        changed(id);
    return S_OK;
}

HRESULT StdFont::invoke(DispId, std::span<Variant>, Variant *, ExcepInfo *)
{
    return DISP_E_MEMBERNOTFOUND;
}

DispId StdFont::idOfName(std::string_view name)
{
    return findMemberId(kMembers, name);
}

} // namespace ole
