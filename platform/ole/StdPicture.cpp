#include "platform/ole/StdPicture.h"

#include "platform/ole/Himetric.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"

#include <climits>
#include <cmath>
#include <limits>

namespace ole {

namespace {

constexpr std::uint32_t kStreamMagic = 0x0000746C; // "lt\0\0"
constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr double kScreenDpi = 96.0;

constexpr MemberName kMembers[] = {
    {"Handle", StdPicture::DISPID_HANDLE}, {"hPal", StdPicture::DISPID_HPAL},
    {"Type", StdPicture::DISPID_TYPE},     {"Width", StdPicture::DISPID_WIDTH},
    {"Height", StdPicture::DISPID_HEIGHT},
};

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
        value = (value << 8) | bytes[offset + i];
    return value;
}

bool isBitmapFile(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kBitmapFileHeaderSize && bytes[0] == 'B' && bytes[1] == 'M';
}

// An icon directory: reserved 0, type 1 (icon, not cursor), at least one entry, all entries
// there.
bool isIconFile(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kIconDirectorySize || littleEndian(bytes, 0, 2) != 0 ||
        littleEndian(bytes, 2, 2) != 1)
        return false;
    const std::size_t count = littleEndian(bytes, 4, 2);
    return count > 0 && bytes.size() >= kIconDirectorySize + count * kIconEntrySize;
}

// A bitmap's resolution from its information header (pixels per metre), 0 when it gives none
// or one no real device has (the fields are signed; below about 1 dot per inch is not real).
std::pair<std::uint32_t, std::uint32_t> bitmapResolution(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t kInfoHeader = kBitmapFileHeaderSize;
    constexpr std::size_t kMinInfoHeaderSize = 40;
    if (bytes.size() < kInfoHeader + kMinInfoHeaderSize ||
        littleEndian(bytes, kInfoHeader, 4) < kMinInfoHeaderSize)
        return {0, 0};
    constexpr std::int32_t kLowestPerMetre = 40;
    const auto plausible = [](std::uint32_t field) {
        const auto perMetre = static_cast<std::int32_t>(field);
        return perMetre >= kLowestPerMetre ? static_cast<std::uint32_t>(perMetre) : 0u;
    };
    return {plausible(littleEndian(bytes, kInfoHeader + 24, 4)),
            plausible(littleEndian(bytes, kInfoHeader + 28, 4))};
}

} // namespace

std::shared_ptr<StdPicture> StdPicture::fromFile(std::span<const std::uint8_t> bytes)
{
    const bool bitmap = isBitmapFile(bytes);
    if ((!bitmap && !isIconFile(bytes)) || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return nullptr;
    QImage image =
        QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), bitmap ? "BMP" : "ICO");
    if (image.isNull())
        return nullptr;

    auto picture = std::make_shared<StdPicture>();
    picture->m_type = bitmap ? Type::Bitmap : Type::Icon;
    picture->m_widthHimetric = PixelsToHimetric(image.width(), kScreenDpi);
    picture->m_heightHimetric = PixelsToHimetric(image.height(), kScreenDpi);
    if (bitmap) {
        // A bitmap that states its resolution has its size measured at that resolution.
        const auto [perMetreX, perMetreY] = bitmapResolution(bytes);
        constexpr double kMetresPerInch = 0.0254;
        if (perMetreX > 0)
            picture->m_widthHimetric = PixelsToHimetric(image.width(), perMetreX * kMetresPerInch);
        if (perMetreY > 0)
            picture->m_heightHimetric =
                PixelsToHimetric(image.height(), perMetreY * kMetresPerInch);
    }
    picture->m_image = std::move(image);
    picture->m_file.assign(bytes.begin(), bytes.end());
    return picture;
}

bool StdPicture::load(StreamReader &stream, std::shared_ptr<StdPicture> &picture)
{
    StreamReader reader = stream;
    std::uint32_t magic = 0;
    std::uint32_t length = 0;
    std::vector<std::uint8_t> file;
    // readBytes checks the length against what the stream holds before it allocates.
    if (!reader.readU32(magic) || magic != kStreamMagic || !reader.readU32(length) ||
        !reader.readBytes(length, file))
        return false;
    stream = reader;
    picture = length == 0 ? std::make_shared<StdPicture>() : fromFile(file);
    return true;
}

bool StdPicture::save(StreamWriter &stream) const
{
    if (m_file.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    stream.writeU32(kStreamMagic);
    stream.writeU32(static_cast<std::uint32_t>(m_file.size()));
    stream.writeBytes(m_file);
    return true;
}

HRESULT StdPicture::getProperty(DispId id, Variant &result, ExcepInfo *)
{
    switch (id) {
    case DISPID_HANDLE:
        // There are no native handles here: non-zero tells that the picture holds an image.
        result = std::int32_t{m_image.isNull() ? 0 : 1};
        return S_OK;
    case DISPID_HPAL:
        // Bitmaps and icons are decoded to true-colour images, which carry no palette.
        result = std::int32_t{0};
        return S_OK;
    case DISPID_TYPE:
        result = static_cast<std::int16_t>(m_type);
        return S_OK;
    case DISPID_WIDTH:
        result = m_widthHimetric;
        return S_OK;
    case DISPID_HEIGHT:
        result = m_heightHimetric;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT StdPicture::putProperty(DispId, const Variant &, ExcepInfo *)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT StdPicture::invoke(DispId, std::span<Variant>, Variant *, ExcepInfo *)
{
    return DISP_E_MEMBERNOTFOUND;
}

DispId StdPicture::idOfName(std::string_view name)
{
    return findMemberId(kMembers, name);
}

} // namespace ole
