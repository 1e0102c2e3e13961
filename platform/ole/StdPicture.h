#pragma once

#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QImage>

namespace ole {

class StreamReader;
class StreamWriter;

// The standard picture object: empty, a bitmap or an icon, with its size in HIMETRIC. Its
// persisted form is "lt\0\0", a 4-byte length, then the picture file (a bitmap file starts
// "BM", an icon file is an ICO).
class StdPicture : public Dispatch {
public:
    enum class Type : std::int16_t { Uninitialized = -1, None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

    // Dispatch identifiers of its properties.
    static constexpr DispId DISPID_HANDLE = 0;
    static constexpr DispId DISPID_HPAL = 2;
    static constexpr DispId DISPID_TYPE = 3;
    static constexpr DispId DISPID_WIDTH = 4;
    static constexpr DispId DISPID_HEIGHT = 5;

    // An empty picture (Type::None).
    StdPicture();
    // A picture decoded from the bytes of a bitmap or icon file; null when they are neither.
    static std::shared_ptr<StdPicture> fromFile(std::span<const std::uint8_t> bytes);
    // Reads the persisted form; null and nothing more consumed than what was read when damaged.
    static std::shared_ptr<StdPicture> load(StreamReader &stream);
    bool save(StreamWriter &stream) const;

    Type type() const { return m_type; }
    const QImage &image() const { return m_image; }
    std::int32_t widthHimetric() const { return m_widthHimetric; }
    std::int32_t heightHimetric() const { return m_heightHimetric; }

    HRESULT getProperty(DispId id, Variant &result, ExcepInfo *error = nullptr) override;
    HRESULT putProperty(DispId id, const Variant &value, ExcepInfo *error = nullptr) override;
    HRESULT invoke(DispId id, std::span<Variant> args, Variant *result = nullptr,
                   ExcepInfo *error = nullptr) override;
    DispId idOfName(std::string_view name) override;

private:
    Type m_type = Type::None;
    QImage m_image;
    std::vector<std::uint8_t> m_file; // the file as loaded, saved back unchanged
    std::int32_t m_widthHimetric = 0;
    std::int32_t m_heightHimetric = 0;
    std::int32_t m_palette = 0;
};

} // namespace ole
