#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Dispatch.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace ole {

class StreamReader;
class StreamWriter;

// The standard picture object: empty, a bitmap or an icon, with its size in HIMETRIC. Its
// persisted form is "lt\0\0", a 4-byte length, then the picture file (a bitmap file starts
// "BM", an icon file is an ICO); an empty picture has length 0.
class StdPicture : public Dispatch {
public:
    // The class identifier written before the picture's stream in persisted properties.
    static constexpr Clsid kClsid{
        0x0BE35204, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

    enum class Type : std::int16_t {
        Uninitialized = -1,
        None = 0,
        Bitmap = 1,
        Metafile = 2,
        Icon = 3
    };

    // Dispatch identifiers of its properties, all read-only.
    static constexpr DispId DISPID_HANDLE = 0;
    static constexpr DispId DISPID_HPAL = 2;
    static constexpr DispId DISPID_TYPE = 3;
    static constexpr DispId DISPID_WIDTH = 4;
    static constexpr DispId DISPID_HEIGHT = 5;

    // An empty picture (Type::None).
    StdPicture() = default;
    // A picture decoded from the bytes of a bitmap or icon file; null when they are neither.
    static std::shared_ptr<StdPicture> fromFile(std::span<const std::uint8_t> bytes);
    // Reads the persisted form. False, with the stream's position unchanged, when the form is
    // damaged or cut short. Otherwise the whole form is consumed and `picture` is the decoded
    // picture, an empty one for length 0, or null when the file inside is neither a bitmap nor
    // an icon: the caller decides whether that stops its loading.
    static bool load(StreamReader &stream, std::shared_ptr<StdPicture> &picture);
    // False, writing nothing, for a file of 4 GiB or more.
    bool save(StreamWriter &stream) const;

    Type type() const { return m_type; }
    const QImage &image() const { return m_image; }
    std::int32_t widthHimetric() const { return m_widthHimetric; }
    std::int32_t heightHimetric() const { return m_heightHimetric; }
    // The file the picture was decoded from, saved back unchanged.
    const std::vector<std::uint8_t> &file() const { return m_file; }

    HRESULT getProperty(DispId id, Variant &result, ExcepInfo *error = nullptr) override;
    HRESULT putProperty(DispId id, const Variant &value, ExcepInfo *error = nullptr) override;
    HRESULT invoke(DispId id, std::span<Variant> args, Variant *result = nullptr,
                   ExcepInfo *error = nullptr) override;
    DispId idOfName(std::string_view name) override;

private:
    Type m_type = Type::None;
    QImage m_image;
    std::vector<std::uint8_t> m_file;
    std::int32_t m_widthHimetric = 0;
    std::int32_t m_heightHimetric = 0;
};

} // namespace ole
