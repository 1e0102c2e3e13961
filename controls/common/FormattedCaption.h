#pragma once

#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <string>

namespace qv {

class CQvControlBase;
class PropertyExchange;

// A control's Caption with its FormatString: a caption set while there is a format is shown as
// the container's formatting service makes it of the text, or as given when the service gives
// nothing back. The text as given is kept beside what is shown, so that a new format applies to
// it rather than to what an earlier format made of it. The container is asked first whether
// the caption may change; when it refuses, the caption stays and error 387 is raised.
class FormattedCaption {
public:
    static constexpr std::size_t kMaxFormattedLength = 512;

    FormattedCaption(CQvControlBase &control, ole::DispId captionId, ole::DispId formatId);

    // The caption as shown.
    const std::string &text() const { return m_shown; }
    // A new control: `text` as the caption, no format.
    void reset(std::string text);
    // After a load: what the stream holds is the text as given.
    void loaded() { m_given = m_shown; }

    // Get and put of the caption and of the format; false for other identifiers.
    bool get(ole::DispId id, ole::Variant &result) const;
    bool put(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error, ole::HRESULT &hr);

    void exchangeCaption(PropertyExchange &exchange);
    void exchangeFormat(PropertyExchange &exchange);

private:
    ole::HRESULT setCaption(std::string given, ole::ExcepInfo *error);

    CQvControlBase &m_control;
    ole::DispId m_captionId;
    ole::DispId m_formatId;
    std::string m_given;
    std::string m_shown;
    std::string m_format;
};

} // namespace qv
