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

CQvTestCtrl::CQvTestCtrl() : CQvControlBase(kClassInfo)
{
    bindProperties({
        {.id = DISPID_FLAG, .member = &m_flag},
        {.id = DISPID_COUNT, .member = &m_count, .low = 0, .high = 100},
        {.id = DISPID_TEXTCOLOR, .member = &m_textColor},
    });
}

ole::HRESULT CQvTestCtrl::getControlProperty(ole::DispId id, ole::Variant &result, ole::ExcepInfo *)
{
    switch (id) {
    case DISPID_NUMBER:
        result = m_number;
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
                                             ole::ExcepInfo *)
{
    switch (id) {
    case DISPID_NUMBER: {
        const auto number = ole::toLong(value);
        if (!number)
            return ole::DISP_E_TYPEMISMATCH;
        m_number = *number;
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
    m_flag = qv::Bool();
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
