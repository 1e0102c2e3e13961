#include "controls/frame3d/CQv3dfrmCtrl.h"

#include "controls/common/PropertyExchange.h"
#include "controls/frame3d/Qv3dfrmPages.h"
#include "controls/frame3d/Qv3dfrmTypeLib.h"
#include "controls/qvrun32/Qvrun32.h"

#include <QPainter>
#include <QWidget>

namespace qv3dfrm {

const qv::ControlClassInfo CQv3dfrmCtrl::kClassInfo{
    kClsid,
    "QV3DFRM.Qv3dfrmCtrl.1",
    "Qv3dfrm Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_FONT | qv::STOCK_FORECOLOR | qv::STOCK_ENABLED,
    &kFrameTypeLib,
    kPropertyPages,
};

CQv3dfrmCtrl::CQv3dfrmCtrl()
    : CQvControlBase(kClassInfo), m_caption(*this, DISPID_CAPTION, DISPID_FORMATSTRING),
      m_picture(*this, DISPID_PICTURE)
{
    auto bound = m_panel.bind(DISPID_ALIGNMENT);
    bound.push_back({.id = DISPID_NOPREFIX, .member = &m_noPrefix});
    bindProperties(std::move(bound));
}

ole::HRESULT CQv3dfrmCtrl::getControlProperty(ole::DispId id, ole::Variant &result,
                                              ole::ExcepInfo *)
{
    if (m_caption.get(id, result) || m_picture.get(id, result))
        return ole::S_OK;
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQv3dfrmCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                              ole::ExcepInfo *error)
{
    if (ole::HRESULT hr = ole::S_OK;
        m_caption.put(id, value, error, hr) || m_picture.put(id, value, error, hr))
        return hr;
    return ole::DISP_E_MEMBERNOTFOUND;
}

void CQv3dfrmCtrl::resetProperties()
{
    m_caption.reset(ambientDisplayName());
    m_picture.reset();
    m_panel = qv::PanelProperties(kResetBorderStyle);
    m_noPrefix = qv::Bool();
    m_autoSized = false;
}

void CQv3dfrmCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    m_panel.exchange(exchange);
    exchange.exchange(m_noPrefix);
    m_caption.exchangeFormat(exchange);
    exchangeMousePointer(exchange);
    m_caption.exchangeCaption(exchange);
    exchangeMouseIcon(exchange);
    m_picture.exchange(exchange);
}

void CQv3dfrmCtrl::windowCreated()
{
    // Every paint covers the whole window: there is no background to erase first.
    window()->setAttribute(Qt::WA_OpaquePaintEvent);
}

std::pair<qv::OLE_COLOR, qv::OLE_COLOR> CQv3dfrmCtrl::childColors() const
{
    return {m_panel.fillColor, m_panel.textColor};
}

bool CQv3dfrmCtrl::autoSizeToPicture(const QSize &current)
{
    // The flag keeps a size the container does not grant from being asked for again and again:
    // the paint after a resize draws whatever size the frame has then.
    const QSize wanted = m_picture.fittedSize(m_panel.bevelSize);
    if (!m_panel.autoSize || !m_picture.holdsPicture() || m_autoSized || wanted == current) {
        m_autoSized = false;
        return false;
    }
    m_autoSized = true;
    qv::PictureProperty::resizeAfterPaint(window(), wanted);
    return true;
}

QRect CQv3dfrmCtrl::captionRect(const QRect &interior) const
{
    const int s = m_panel.bevelSize;
    QRect rect;
    switch (m_panel.bevelStyle) {
    case qvrun32::BevelShadowedRight:
        rect = interior.adjusted(0, 0, -s, -s);
        break;
    case qvrun32::BevelShadowedLeft:
        rect = interior.adjusted(s, s + kShadowedLeftCaptionDrop, 0, 0);
        break;
    default:
        rect = interior.adjusted(s, s + 1, -s, -s);
        break;
    }
    const int w = m_panel.borderWidth();
    return rect.adjusted(w, 0, -w, 0);
}

void CQv3dfrmCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    // A frame that resizes itself draws when it has its new size.
    if (autoSizeToPicture(bounds.size()))
        return;
    const qv::PanelProperties &panel = m_panel;
    const qvrun32::COLORREF fill = qv::translateColor(panel.fillColor);

    painter.save();
    painter.fillRect(bounds, qv::toQColor(fill));
    QRect interior = bounds;
    panel.drawBevelFrame(window(), painter, !m_picture.isUninitialized(), false, 0, 0, 0, interior);
    if (m_picture.holdsPicture())
        m_picture.holder().Render(painter, interior, panel.wallPaper, fill);

    QRect caption = captionRect(interior);
    panel.setTextBackground(painter);
    const std::string &text = m_caption.text();
    if (!text.empty()) {
        unsigned format = qvrun32::DT_SINGLELINE | qvrun32::DT_TOP | panel.alignmentFormat();
        if (m_noPrefix)
            format |= qvrun32::DT_NOPREFIX;
        // Greyed only while the form is designed: a disabled frame at run time keeps its look.
        const bool grey = !enabled() && !userMode();
        qvrun32::DrawText3d(
            painter, text, -1, caption, format, grey ? int{qvrun32::None} : panel.fontStyle,
            grey ? qv::disabledTextColor(fill) : qv::translateColor(panel.textColor),
            qv::translateColor(panel.lightColor), qv::translateColor(panel.shadowColor));
    }
    painter.restore();
}

} // namespace qv3dfrm
