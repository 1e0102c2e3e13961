#include "controls/common/FormattedCaption.h"

#include "controls/common/CQvControlBase.h"
#include "controls/common/PropertyExchange.h"

#include <utility>

namespace qv {

FormattedCaption::FormattedCaption(CQvControlBase &control, ole::DispId captionId,
                                   ole::DispId formatId)
    : m_control(control), m_captionId(captionId), m_formatId(formatId)
{}

void FormattedCaption::reset(std::string text)
{
    m_given = text;
    m_shown = std::move(text);
    m_format.clear();
}

bool FormattedCaption::get(ole::DispId id, ole::Variant &result) const
{
    if (id == m_captionId)
        result = m_shown;
    else if (id == m_formatId)
        result = m_format;
    else
        return false;
    return true;
}

bool FormattedCaption::put(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error,
                           ole::HRESULT &hr)
{
    if (id != m_captionId && id != m_formatId)
        return false;
    auto text = ole::toString(value);
    if (!text) {
        hr = ole::DISP_E_TYPEMISMATCH;
        return true;
    }
    if (id == m_captionId) {
        hr = setCaption(std::move(*text), error);
        return true;
    }
    // The format is kept even when the container then refuses the caption it changes.
    m_format = std::move(*text);
    hr = setCaption(m_given, error);
    if (ole::succeeded(hr))
        m_control.NotifyPropertyChanged(m_formatId);
    return true;
}

ole::HRESULT FormattedCaption::setCaption(std::string given, ole::ExcepInfo *error)
{
    if (!m_control.requestEdit(m_captionId))
        return m_control.RaiseControlError(CQvControlBase::ERROR_SET_NOT_PERMITTED, error);
    std::string formatted =
        m_format.empty() ? std::string() : m_control.formatValue(ole::Variant(given), m_format);
    if (formatted.size() > kMaxFormattedLength)
        formatted.resize(kMaxFormattedLength);
    m_shown = formatted.empty() ? given : std::move(formatted);
    m_given = std::move(given);
    m_control.NotifyPropertyChanged(m_captionId);
    return ole::S_OK;
}

void FormattedCaption::exchangeCaption(PropertyExchange &exchange)
{
    exchange.exchange(m_shown);
}

void FormattedCaption::exchangeFormat(PropertyExchange &exchange)
{
    exchange.exchange(m_format);
}

} // namespace qv
