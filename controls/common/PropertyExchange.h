#pragma once

#include "controls/common/Bool.h"
#include "platform/ole/Clsid.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ole {
class StdFont;
class StdPicture;
} // namespace ole

namespace qv {

// Moves a control's persisted properties to or from its property stream, so that one function
// gives the field order for both directions. Encodings: BOOL one byte (the byte as held, see
// Bool), short two bytes, long and colour four, strings in their three length forms, pictures
// and fonts as a flag byte (0xFF: none or the default; 0x00: the object's 16-byte class
// identifier and its own stream follow).
//
// Loading is all or nothing, in two passes over the same stream: a checking exchange reads
// every field and assigns nothing; only when it ends ok() does a loading exchange read the
// stream again and assign each value as it is read. Nothing is held between the passes, so a
// control may reset its members in between. After a failed read every later exchange does
// nothing.
class PropertyExchange {
public:
    // Appends to `out`.
    static PropertyExchange forSaving(std::vector<std::uint8_t> &out);
    static PropertyExchange forChecking(std::span<const std::uint8_t> in);
    // Only for a stream that a checking exchange accepted.
    static PropertyExchange forLoading(std::span<const std::uint8_t> in);
    PropertyExchange(const PropertyExchange &) = delete;
    PropertyExchange &operator=(const PropertyExchange &) = delete;

    // True while checking or loading.
    bool isLoading() const { return m_mode != Mode::Saving; }
    // False once a read ran past the end or met a malformed value, or a value could not be
    // written.
    bool ok() const { return m_ok; }

    void exchange(Bool &value);
    void exchange(std::int16_t &value);
    void exchange(std::int32_t &value);
    void exchange(std::uint32_t &value); // colours
    // A 4-byte value that decides how the rest is read (a version, a mask): read at once, not
    // at commit.
    void exchangeHeader(std::uint32_t &value);
    void exchange(std::string &value);
    // A picture of any kind; a picture file that is neither a bitmap nor an icon fails the
    // load. Null reads and writes as "no picture".
    void exchange(std::shared_ptr<ole::StdPicture> &value);
    // The mouse icon: a picture that cannot be decoded or is not an icon loads as no icon and
    // the loading goes on; only a damaged or cut-short stream fails.
    void exchangeIcon(std::shared_ptr<ole::StdPicture> &value);
    // Null reads and writes as "default".
    void exchange(std::shared_ptr<ole::StdFont> &value);

private:
    enum class Mode { Saving, Checking, Loading };

    PropertyExchange(Mode mode, std::vector<std::uint8_t> *out, std::span<const std::uint8_t> in);
    template <typename T> void assign(T &target, T value);
    bool readObjectHeader(bool &present, const ole::Clsid &clsid);
    void writeObjectHeader(bool present, const ole::Clsid &clsid);
    void exchangePicture(std::shared_ptr<ole::StdPicture> &value, bool iconOnly);

    Mode m_mode;
    bool m_ok = true;
    std::vector<std::uint8_t> *m_out = nullptr;
    ole::StreamReader m_reader{{}};
};

} // namespace qv
