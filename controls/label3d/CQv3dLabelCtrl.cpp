#include "controls/label3d/CQv3dLabelCtrl.h"

#include "controls/common/PropertyExchange.h"
#include "controls/label3d/Qv3dLabelPages.h"
#include "controls/label3d/Qv3dLabelTypeLib.h"
#include "controls/qvrun32/Qvrun32.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>

namespace qv3dlbl {

namespace {

// How far the size may be off the picture's before AutoSize resizes the control.
constexpr int kAutoSizeSlack = 3;
// An inner bevel of this size leaves this much more room around the text.
constexpr int kNarrowInnerBevel = 2;

constexpr unsigned kQuietChange = qv::Repaint | qv::TellContainer;

} // namespace

const qv::ControlClassInfo CQv3dLabelCtrl::kClassInfo{
    kClsid,
    "QV3DLBL.Qv3dLabelCtrl.1",
    "Qv3dLabel Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_FONT | qv::STOCK_FORECOLOR | qv::STOCK_ENABLED,
    &kLabelTypeLib,
    kPropertyPages,
};

CQv3dLabelCtrl::CQv3dLabelCtrl()
    : CQvControlBase(kClassInfo), m_caption(*this, DISPID_CAPTION, DISPID_FORMATSTRING),
      m_picture(*this, DISPID_PICTURE)
{
    auto bound = m_panel.bind(DISPID_ALIGNMENT);
    const auto entry = [&bound](ole::DispId id) -> qv::BoundProperty & {
        return *std::ranges::find(bound, id, &qv::BoundProperty::id);
    };
    // FontTransparent and TextColor change without marking the label modified, and a text
    // colour change is told as a change of every property.
    entry(DISPID_FONTTRANSPARENT).effects = kQuietChange;
    entry(DISPID_TEXTCOLOR).effects = kQuietChange;
    entry(DISPID_TEXTCOLOR).notifyAs = ole::DISPID_UNKNOWN;
    Properties &p = m_props;
    bound.insert(
        bound.end(),
        {
            {.id = DISPID_BEVELSTYLEINSIDE, .member = &p.bevelStyleInner, .low = 0, .high = 2},
            {.id = DISPID_BEVELSTYLEINNER,
             .member = &p.bevelStyleInner,
             .low = 0,
             .high = 2,
             .notifyAs = DISPID_BEVELSTYLEINSIDE},
            {.id = DISPID_BEVELSIZEINSIDE, .member = &p.bevelSizeInner, .low = 0},
            {.id = DISPID_BEVELSIZEINNER,
             .member = &p.bevelSizeInner,
             .low = 0,
             .notifyAs = DISPID_BEVELSIZEINSIDE},
            {.id = DISPID_MULTILINE, .member = &p.multiline},
            {.id = DISPID_FONTORIENTATION,
             .member = &p.fontOrientation,
             .low = 0,
             .high = kFullTurn},
            {.id = DISPID_VALIGNMENT, .member = &p.vAlignment, .low = 0, .high = 2},
            {.id = DISPID_NOPREFIX, .member = &p.noPrefix, .effects = kQuietChange},
            {.id = DISPID_GLOBALMEM, .member = &p.globalMem},
        });
    bindProperties(std::move(bound));
}

ole::HRESULT CQv3dLabelCtrl::getControlProperty(ole::DispId id, ole::Variant &result,
                                                ole::ExcepInfo *)
{
    if (m_caption.get(id, result) || m_picture.get(id, result))
        return ole::S_OK;
    if (id == DISPID_FONTESCAPEMENT) {
        result = m_props.fontEscapement;
        return ole::S_OK;
    }
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQv3dLabelCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                                ole::ExcepInfo *error)
{
    if (ole::HRESULT hr = ole::S_OK;
        m_caption.put(id, value, error, hr) || m_picture.put(id, value, error, hr))
        return hr;
    if (id == DISPID_FONTESCAPEMENT)
        return putFontEscapement(value, error);
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQv3dLabelCtrl::putFontEscapement(const ole::Variant &value, ole::ExcepInfo *error)
{
    const auto escapement = ole::toShort(value);
    if (!escapement)
        return ole::DISP_E_TYPEMISMATCH;
    if (*escapement < 0)
        return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
    // More than a full turn is let pass without a word and changes nothing.
    if (*escapement > kFullTurn)
        return ole::S_OK;
    m_props.fontEscapement = *escapement;
    NotifyPropertyChanged(DISPID_FONTESCAPEMENT);
    return ole::S_OK;
}

void CQv3dLabelCtrl::resetProperties()
{
    m_caption.reset(ambientDisplayName());
    m_picture.reset();
    m_panel = qv::PanelProperties(kResetBorderStyle);
    m_props = Properties();
}

void CQv3dLabelCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    Properties &p = m_props;
    m_caption.exchangeCaption(exchange);
    m_panel.exchange(exchange);
    m_picture.exchange(exchange);
    exchange.exchange(p.bevelStyleInner);
    exchange.exchange(p.bevelSizeInner);
    exchange.exchange(p.multiline);
    exchange.exchange(p.fontEscapement);
    exchange.exchange(p.fontOrientation);
    exchange.exchange(p.vAlignment);
    exchange.exchange(p.noPrefix);
    m_caption.exchangeFormat(exchange);
    exchange.exchange(p.globalMem);
    exchangeMousePointer(exchange);
    exchangeMouseIcon(exchange);
}

void CQv3dLabelCtrl::autoSizeToPicture(const QSize &current)
{
    if (!m_panel.autoSize || !m_picture.holdsPicture())
        return;
    const QSize wanted = m_picture.fittedSize(m_panel.bevelSize);
    if (std::abs(wanted.width() - current.width()) > kAutoSizeSlack ||
        std::abs(wanted.height() - current.height()) > kAutoSizeSlack)
        qv::PictureProperty::resizeAfterPaint(window(), wanted);
}

QRect CQv3dLabelCtrl::textRect(const QRect &bounds) const
{
    const int w = m_panel.borderWidth();
    const int s = m_panel.bevelSize;
    // How far the frame reaches in at the top-left and at the bottom-right.
    int nearSide = w + s;
    int farSide = w + s;
    switch (m_panel.bevelStyle) {
    case qvrun32::BevelChiseled:
        nearSide = 2 * w + s + 2;
        farSide = 2 * w + 2 * s + 2;
        break;
    case qvrun32::BevelShadowedRight:
        nearSide = w;
        break;
    case qvrun32::BevelShadowedLeft:
        farSide = w;
        break;
    default:
        break;
    }
    int inner = m_props.bevelSizeInner;
    if (inner == kNarrowInnerBevel)
        inner += kNarrowInnerBevel;
    nearSide += inner;
    farSide += inner;
    return bounds.adjusted(nearSide, nearSide, -farSide, -farSide);
}

unsigned CQv3dLabelCtrl::textFormat() const
{
    unsigned format = m_props.noPrefix ? unsigned{qvrun32::DT_NOPREFIX} : 0u;
    if (m_props.multiline) {
        format |= qvrun32::DT_WORDBREAK;
    } else {
        format |= qvrun32::DT_SINGLELINE;
        if (m_props.vAlignment == 1)
            format |= qvrun32::DT_BOTTOM;
        else if (m_props.vAlignment == 2)
            format |= qvrun32::DT_VCENTER;
    }
    return format | m_panel.alignmentFormat();
}

void CQv3dLabelCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    const qv::PanelProperties &panel = m_panel;
    autoSizeToPicture(bounds.size());

    // The label is drawn whole off-screen and then copied, so that it never flickers.
    const qreal ratio = painter.device()->devicePixelRatioF();
    QPixmap canvas(bounds.size() * ratio);
    if (canvas.isNull())
        return;
    canvas.setDevicePixelRatio(ratio);
    QPainter dc(&canvas);
    // The font is used as it is however the text turns: the glyphs turn with the line, so
    // FontOrientation has no effect of its own.
    dc.setFont(painter.font());

    const qvrun32::COLORREF fill = qv::translateColor(panel.fillColor);
    const QRect whole(QPoint(0, 0), bounds.size());
    QRect interior = whole;
    panel.drawBevelFrame(window(), dc, !m_picture.holdsPicture(), static_cast<bool>(panel.autoSize),
                         panel.wallPaper, m_props.bevelStyleInner, m_props.bevelSizeInner,
                         interior);
    if (m_picture.holdsPicture())
        m_picture.holder().Render(
            dc, interior, panel.autoSize ? int{qvrun32::WallpaperNatural} : panel.wallPaper, fill);

    QRect text = textRect(whole);
    panel.setTextBackground(dc);
    const std::string &caption = m_caption.text();
    if (!caption.empty()) {
        const qvrun32::COLORREF color = !enabled() && userMode()
                                            ? qv::disabledTextColor(fill)
                                            : qv::translateColor(panel.textColor);
        // The whole caption is drawn, however long it is.
        qvrun32::DrawLabelText(dc, caption, -1, text, textFormat(), panel.fontStyle, color,
                               qv::translateColor(panel.lightColor),
                               qv::translateColor(panel.shadowColor), m_props.fontEscapement);
    }
    dc.end();
    painter.drawPixmap(bounds.topLeft(), canvas);
}

} // namespace qv3dlbl
