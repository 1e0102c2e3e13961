#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Dispatch.h"

#include <QFont>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ole {

class StreamReader;
class StreamWriter;

// The standard font object. Its persisted form: version byte 1, 2-byte character set, style
// byte (0x02 italic, 0x04 underline, 0x08 strikethrough), 2-byte weight, 4-byte size in
// 1/10000 point, name length byte, name.
class StdFont : public Dispatch {
public:
    // The class identifier written before the font's stream in persisted properties.
    static constexpr Clsid kClsid{
        0x0BE35203, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

    static constexpr DispId DISPID_NAME = 0;
    static constexpr DispId DISPID_SIZE = 2;
    static constexpr DispId DISPID_BOLD = 3;
    static constexpr DispId DISPID_ITALIC = 4;
    static constexpr DispId DISPID_UNDERLINE = 5;
    static constexpr DispId DISPID_STRIKETHROUGH = 6;
    static constexpr DispId DISPID_WEIGHT = 7;
    static constexpr DispId DISPID_CHARSET = 8;

    StdFont() = default;
    // Reads the persisted form; null, with the stream's position unchanged, when it is damaged
    // or cut short.
    static std::shared_ptr<StdFont> load(StreamReader &stream);
    void save(StreamWriter &stream) const;
    // A copy with every property, without the change handler.
    std::shared_ptr<StdFont> clone() const;

    const std::string &name() const { return m_name; } // ANSI
    Currency size() const { return m_size; }           // points
    bool bold() const { return m_weight >= 600; }
    bool italic() const { return m_italic; }
    bool underline() const { return m_underline; }
    bool strikethrough() const { return m_strikethrough; }
    std::int16_t weight() const { return m_weight; }
    std::int16_t charset() const { return m_charset; }
    // The font for drawing on a device with `dpiY` vertical pixels per inch.
    QFont toQFont(int dpiY) const;
    // The font object for a widget's font (a size in pixels counts at 96 dpi).
    static std::shared_ptr<StdFont> fromQFont(const QFont &font);

    // Called after any property changed, with its dispatch identifier.
    void setChangeHandler(std::function<void(DispId)> handler);

    // Values a put refuses come back as E_INVALIDARG: a name longer than the stream's length
    // byte holds, a size that is not positive or does not fit the stream's 4 bytes, a weight
    // outside 0..1000.
    HRESULT getProperty(DispId id, Variant &result, ExcepInfo *error = nullptr) override;
    HRESULT putProperty(DispId id, const Variant &value, ExcepInfo *error = nullptr) override;
    HRESULT invoke(DispId id, std::span<Variant> args, Variant *result = nullptr,
                   ExcepInfo *error = nullptr) override;
    DispId idOfName(std::string_view name) override;

    friend bool operator==(const StdFont &a, const StdFont &b)
    {
        return a.m_name == b.m_name && a.m_size == b.m_size && a.m_weight == b.m_weight &&
               a.m_charset == b.m_charset && a.m_italic == b.m_italic &&
               a.m_underline == b.m_underline && a.m_strikethrough == b.m_strikethrough;
    }

private:
    std::string m_name = "MS Sans Serif";
    Currency m_size{80000};
    std::int16_t m_weight = 400;
    std::int16_t m_charset = 0;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    std::function<void(DispId)> m_changed;
};

} // namespace ole
