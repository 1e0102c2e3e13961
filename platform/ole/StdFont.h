#pragma once

#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QFont>

namespace ole {

class StreamReader;
class StreamWriter;

// The standard font object. Its persisted form: version byte 1, 2-byte character set, style
// byte (bit 1 italic, 2 underline, 4 strikethrough), 2-byte weight, 4-byte size in 1/10000
// point, name length byte, name.
class StdFont : public Dispatch {
public:
    static constexpr DispId DISPID_NAME = 0;
    static constexpr DispId DISPID_SIZE = 2;
    static constexpr DispId DISPID_BOLD = 3;
    static constexpr DispId DISPID_ITALIC = 4;
    static constexpr DispId DISPID_UNDERLINE = 5;
    static constexpr DispId DISPID_STRIKETHROUGH = 6;
    static constexpr DispId DISPID_WEIGHT = 7;
    static constexpr DispId DISPID_CHARSET = 8;

    StdFont();
    static std::shared_ptr<StdFont> load(StreamReader &stream);
    bool save(StreamWriter &stream) const;
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

    // Called after any property changed, with its dispatch identifier.
    void setChangeHandler(std::function<void(DispId)> handler);

    HRESULT getProperty(DispId id, Variant &result, ExcepInfo *error = nullptr) override;
    HRESULT putProperty(DispId id, const Variant &value, ExcepInfo *error = nullptr) override;
    HRESULT invoke(DispId id, std::span<Variant> args, Variant *result = nullptr,
                   ExcepInfo *error = nullptr) override;
    DispId idOfName(std::string_view name) override;

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
