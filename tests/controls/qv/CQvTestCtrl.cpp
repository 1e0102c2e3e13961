#include "tests/controls/qv/CQvTestCtrl.h"

#include "controls/common/PropertyExchange.h"
#include "platform/ole/StdPicture.h"
#include "platform/text/Ansi.h"

#include <QPainter>

namespace qvtest {

namespace {

using qv::MemberInfo;
using qv::ValueType;

constexpr MemberInfo kMembers[] = {
    qv::stock::kBackColor,
    qv::stock::kForeColor,
    qv::stock::kFont,
    qv::stock::kEnabled,
    qv::stock::kHWnd,
    qv::stock::kCaption,
    qv::stock::kRefresh,
    qv::stock::kAboutBox,
    {"Flag", CQvTestCtrl::DISPID_FLAG, ValueType::Bool},
    {"Count", CQvTestCtrl::DISPID_COUNT, ValueType::Short},
    {"Number", CQvTestCtrl::DISPID_NUMBER, ValueType::Long},
    {"TextColor", CQvTestCtrl::DISPID_TEXTCOLOR, ValueType::Color},
    {"Note", CQvTestCtrl::DISPID_NOTE, ValueType::String},
    {"Picture", CQvTestCtrl::DISPID_PICTURE, ValueType::Picture},
    {"MousePointer", CQvTestCtrl::DISPID_MOUSEPOINTER, ValueType::Enumeration, 0,
     "MousePointerConstants"},
    {"MouseIcon", CQvTestCtrl::DISPID_MOUSEICON, ValueType::Picture},
    {"FontName", CQvTestCtrl::DISPID_FONTNAME, ValueType::String},
    {"FontSize", CQvTestCtrl::DISPID_FONTSIZE, ValueType::Single},
    {"FontBold", CQvTestCtrl::DISPID_FONTBOLD, ValueType::Bool},
    {"FontItalic", CQvTestCtrl::DISPID_FONTITALIC, ValueType::Bool},
    {"FontStrikethru", CQvTestCtrl::DISPID_FONTSTRIKETHRU, ValueType::Bool},
    {"FontUnderline", CQvTestCtrl::DISPID_FONTUNDERLINE, ValueType::Bool},
};

constexpr MemberInfo kEvents[] = {
    qv::stock::kClick,    qv::stock::kDblClick,  qv::stock::kKeyDown,
    qv::stock::kKeyPress, qv::stock::kMouseDown, qv::stock::kMouseUp,
};

constexpr qv::EnumInfo kEnumerations[] = {qv::kMousePointerConstants};

constexpr qv::TypeLibInfo kTypeLib{
    CQvTestCtrl::kTypeLibId, "QvTestLib", "_DQvTest", "_DQvTestEvents", "QvTest", kMembers, kEvents,
    kEnumerations,
};

} // namespace

const qv::ControlClassInfo CQvTestCtrl::kClassInfo{
    kClsid,
    "QVTEST.QvTestCtrl.1",
    "QvTest Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_CAPTION | qv::STOCK_FONT | qv::STOCK_FORECOLOR |
        qv::STOCK_ENABLED,
    &kTypeLib,
};

ole::HRESULT CQvTestCtrl::getControlProperty(ole::DispId id, ole::Variant &result, ole::ExcepInfo *)
{
    switch (id) {
    case DISPID_FLAG:
        result = m_flag;
        return ole::S_OK;
    case DISPID_COUNT:
        result = m_count;
        return ole::S_OK;
    case DISPID_NUMBER:
        result = m_number;
        return ole::S_OK;
    case DISPID_TEXTCOLOR:
        result = static_cast<std::int32_t>(m_textColor);
        return ole::S_OK;
    case DISPID_NOTE:
        result = m_note;
        return ole::S_OK;
    case DISPID_PICTURE:
        result = ole::DispatchPtr(m_picture);
        return ole::S_OK;
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT CQvTestCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                             ole::ExcepInfo *error)
{
    switch (id) {
    case DISPID_FLAG: {
        const auto flag = ole::toBool(value);
        if (!flag)
            return ole::DISP_E_TYPEMISMATCH;
        m_flag = *flag;
        break;
    }
    case DISPID_COUNT: {
        const auto count = ole::toShort(value);
        if (!count)
            return ole::DISP_E_TYPEMISMATCH;
        if (*count < 0 || *count > 100)
            return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
        m_count = *count;
        break;
    }
    case DISPID_NUMBER:
    case DISPID_TEXTCOLOR: {
        const auto number = ole::toLong(value);
        if (!number)
            return ole::DISP_E_TYPEMISMATCH;
        if (id == DISPID_NUMBER)
            m_number = *number;
        else
            m_textColor = static_cast<qv::OLE_COLOR>(*number);
        break;
    }
    case DISPID_NOTE: {
        auto note = ole::toString(value);
        if (!note)
            return ole::DISP_E_TYPEMISMATCH;
        m_note = std::move(*note);
        break;
    }
    case DISPID_PICTURE: {
        const auto object = ole::toDispatch(value);
        const auto picture = object ? std::dynamic_pointer_cast<ole::StdPicture>(*object) : nullptr;
        if (!object || (*object && !picture))
            return ole::DISP_E_TYPEMISMATCH;
        m_picture = picture;
        break;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

void CQvTestCtrl::resetProperties()
{
    m_flag = false;
    m_count = 0;
    m_number = 0;
    m_textColor = qv::systemColor(qv::COLOR_WINDOWTEXT);
    m_note.clear();
    m_picture = nullptr;
}

void CQvTestCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    exchangeMousePointer(exchange);
    exchangeMouseIcon(exchange);
    exchange.exchange(m_flag);
    exchange.exchange(m_count);
    exchange.exchange(m_number);
    exchange.exchange(m_textColor);
    exchange.exchange(m_note);
    exchange.exchange(m_picture);
}

void CQvTestCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    painter.fillRect(bounds, qv::toQColor(qv::translateColor(backColor())));
    if (m_picture && !m_picture->image().isNull())
        painter.drawImage(bounds, m_picture->image());
    const bool grey = !enabled() && userMode();
    const qv::COLORREF fill = qv::translateColor(backColor());
    painter.setPen(
        qv::toQColor(grey ? qv::disabledTextColor(fill) : qv::translateColor(m_textColor)));
    painter.drawText(bounds, Qt::AlignCenter, text::fromAnsi(caption()));
}

} // namespace qvtest
