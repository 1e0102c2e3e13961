#include "controls/marquee/CQvMarqueeCtrl.h"

#include "controls/common/PropertyExchange.h"
#include "controls/common/Units.h"
#include "controls/marquee/MarqueeScheduler.h"
#include "controls/marquee/Qvmq200Pages.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "controls/qvrun32/Qvrun32.h"
#include "platform/message/WindowMessage.h"

#include <QImage>
#include <QPainter>
#include <QTimerEvent>
#include <QWidget>
#include <algorithm>

namespace qvmq200 {

namespace {

using qv::COLORREF;

// Where the caption starts after a reset: so far off that the first paint in run mode brings it
// to just beyond the right edge of its area.
constexpr std::int32_t kCaptionParked = -100000;
// The caption's area keeps this far inside the client area before its margins.
constexpr int kCaptionInset = 5;
constexpr unsigned kCaptionFormat = qvrun32::DT_SINGLELINE | qvrun32::DT_VCENTER;

enum Style : std::int16_t {
    MovingCaptionCyclingPictures = 0,
    MovingCaptionStaticPicture = 1,
    StaticCaptionCyclingPictures = 2,
    StaticCaptionStaticPicture = 3,
};

// The pixels from `from` to `to`, both included: a line one pixel wide, or nothing when `to`
// lies before `from`.
void line(QPainter &dc, QPoint from, QPoint to, const QColor &colour)
{
    if (from.x() <= to.x() && from.y() <= to.y())
        dc.fillRect(QRect(from, to), colour);
}

// A one-pixel frame along the inside of `rect`.
void frameRect(QPainter &dc, const QRect &rect, const QColor &colour)
{
    line(dc, rect.topLeft(), rect.topRight(), colour);
    line(dc, rect.bottomLeft(), rect.bottomRight(), colour);
    line(dc, rect.topLeft(), rect.bottomLeft(), colour);
    line(dc, rect.topRight(), rect.bottomRight(), colour);
}

QColor colourOf(qv::OLE_COLOR color)
{
    return qv::toQColor(qv::translateColor(color));
}

// The width of `text` on one line in the painter's font.
int textWidth(QPainter &dc, std::string_view text, const QRect &area)
{
    QRect extent = area;
    qvrun32::DrawText3d(dc, text, static_cast<int>(text.size()), extent,
                        kCaptionFormat | qvrun32::DT_CALCRECT, qvrun32::None, 0, 0, 0);
    return extent.width();
}

} // namespace

const qv::ControlClassInfo CQvMarqueeCtrl::kClassInfo{
    kClsid,
    "QVMQ200.QvMarqueeCtrl.1",
    "QvMarquee Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_CAPTION | qv::STOCK_FONT | qv::STOCK_FORECOLOR |
        qv::STOCK_ENABLED,
    &kTypeLib,
    kPropertyPages,
};

CQvMarqueeCtrl::CQvMarqueeCtrl()
    : CQvControlBase(kClassInfo), m_pictures{{{*this, DISPID_PICTURE1},
                                              {*this, DISPID_PICTURE2},
                                              {*this, DISPID_PICTURE3}}}
{
    // Style, Autosize and FontTransparent take any value; a new Direction shows with the next
    // step, not at once.
    bindProperties({
        {.id = DISPID_AUTOSIZE, .member = &m_autosize},
        {.id = DISPID_FONTTRANSPARENT, .member = &m_fontTransparent},
        {.id = DISPID_BORDERCOLOR, .member = &m_borderColor},
        {.id = DISPID_LIGHTCOLOR, .member = &m_lightColor},
        {.id = DISPID_OUTERFILLCOLOR, .member = &m_outerFillColor},
        {.id = DISPID_SHADOWCOLOR, .member = &m_shadowColor},
        {.id = DISPID_STYLE, .member = &m_style},
        {.id = DISPID_TEXTCOLOR, .member = &m_textColor},
        {.id = DISPID_TEXTFILLCOLOR, .member = &m_textFillColor},
        {.id = DISPID_FONTSTYLE,
         .member = &m_fontStyle,
         .low = qvrun32::None,
         .high = qvrun32::LoweredShading},
        {.id = DISPID_DIRECTION,
         .member = &m_direction,
         .low = 0,
         .high = 1,
         .effects = qv::MarkModified | qv::TellContainer},
    });
}

CQvMarqueeCtrl::~CQvMarqueeCtrl()
{
    leaveScheduler();
}

// Properties -----------------------------------------------------------------------------------

ole::HRESULT CQvMarqueeCtrl::getControlProperty(ole::DispId id, ole::Variant &result,
                                                ole::ExcepInfo *error)
{
    if (id == ole::DISPID_VALUE)
        return getProperty(ole::DISPID_CAPTION, result, error);
    if (id == DISPID_INTERVAL) {
        result = m_interval;
        return ole::S_OK;
    }
    if (id >= DISPID_PICTURETOP && id <= DISPID_CAPTIONBOTTOM) {
        result = m_marginTwips[static_cast<std::size_t>(id - DISPID_PICTURETOP)];
        return ole::S_OK;
    }
    for (const qv::PictureProperty &picture : m_pictures)
        if (picture.get(id, result))
            return ole::S_OK;
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQvMarqueeCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                                ole::ExcepInfo *error)
{
    if (id == ole::DISPID_VALUE)
        return putProperty(ole::DISPID_CAPTION, value, error);
    if (id == DISPID_INTERVAL)
        return putInterval(value);
    if (id >= DISPID_PICTURETOP && id <= DISPID_CAPTIONBOTTOM) {
        const auto twips = ole::toShort(value);
        if (!twips)
            return ole::DISP_E_TYPEMISMATCH;
        setMargin(static_cast<Margin>(id - DISPID_PICTURETOP), *twips);
        // The repaint moves the design-time outlines too.
        NotifyPropertyChanged(id);
        return ole::S_OK;
    }
    for (qv::PictureProperty &picture : m_pictures)
        if (ole::HRESULT hr = ole::S_OK; picture.put(id, value, error, hr))
            return hr;
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQvMarqueeCtrl::putInterval(const ole::Variant &value)
{
    const auto interval = ole::toLong(value);
    if (!interval)
        return ole::DISP_E_TYPEMISMATCH;
    if (*interval != m_interval) {
        leaveScheduler();
        m_interval = *interval;
        joinScheduler();
    }
    NotifyPropertyChanged(DISPID_INTERVAL);
    return ole::S_OK;
}

void CQvMarqueeCtrl::setMargin(Margin margin, std::int16_t twips)
{
    const std::size_t at = margin;
    m_marginTwips[at] = twips;
    const bool vertical = margin % 4 == PictureTop || margin % 4 == PictureBottom;
    m_marginPixels[at] = vertical ? qv::YTwipsToPixels(twips) : qv::XTwipsToPixels(twips);
}

void CQvMarqueeCtrl::resetProperties()
{
    for (qv::PictureProperty &picture : m_pictures)
        picture.reset();
    m_autosize = qv::Bool::fromTruth(true);
    m_fontTransparent = qv::Bool::fromTruth(true);
    m_borderColor = qv::systemColor(qv::COLOR_WINDOWFRAME);
    m_lightColor = qv::systemColor(qv::COLOR_BTNHIGHLIGHT);
    m_outerFillColor = qv::systemColor(qv::COLOR_BTNFACE);
    m_shadowColor = qv::systemColor(qv::COLOR_BTNSHADOW);
    m_style = MovingCaptionCyclingPictures;
    m_textColor = qv::systemColor(qv::COLOR_BTNTEXT);
    m_textFillColor = qv::systemColor(qv::COLOR_BTNFACE);
    m_interval = 1000;
    m_direction = 0;
    m_fontStyle = qvrun32::None;
    constexpr std::array<std::int16_t, kMarginCount> kMarginTwips = {105, 315, 315, 450,
                                                                     705, 45,  45,  90};
    m_marginTwips = kMarginTwips;
    m_pictureIndex = 0;
    m_offset = kCaptionParked;
    m_stepDue = false;
}

void CQvMarqueeCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    exchangeMousePointer(exchange);
    exchangeMouseIcon(exchange);
    exchange.exchange(m_autosize);
    exchange.exchange(m_fontTransparent);
    exchange.exchange(m_borderColor);
    exchange.exchange(m_lightColor);
    exchange.exchange(m_outerFillColor);
    exchange.exchange(m_shadowColor);
    exchange.exchange(m_style);
    exchange.exchange(m_textColor);
    exchange.exchange(m_textFillColor);
    exchange.exchange(m_interval);
    for (qv::PictureProperty &picture : m_pictures)
        picture.exchange(exchange);
    exchange.exchange(m_direction);
    exchange.exchange(m_fontStyle);
    for (std::int16_t &twips : m_marginTwips)
        exchange.exchange(twips);
}

void CQvMarqueeCtrl::propertiesLoaded()
{
    for (std::size_t at = 0; at < kMarginCount; ++at)
        setMargin(static_cast<Margin>(at), m_marginTwips[at]);
    // The window starts again from the loaded values, with the loaded Interval.
    recreateWindow();
}

// Ticks ----------------------------------------------------------------------------------------

void CQvMarqueeCtrl::windowCreated()
{
    // Every paint covers the whole window: there is no background to erase first.
    window()->setAttribute(Qt::WA_OpaquePaintEvent);
    joinScheduler();
}

void CQvMarqueeCtrl::joinScheduler()
{
    leaveScheduler();
    if (!userMode() || m_interval <= 0 || !window())
        return;
    m_joined = window();
    MarqueeScheduler::instance().join(m_joined, m_interval);
}

void CQvMarqueeCtrl::leaveScheduler()
{
    if (m_joined)
        MarqueeScheduler::instance().leave(m_joined);
    m_joined = nullptr;
}

bool CQvMarqueeCtrl::windowEvent(QEvent *event)
{
    if (event->type() == QEvent::Timer)
        return MarqueeScheduler::instance().timerFired(
            window(), static_cast<const QTimerEvent *>(event)->timerId());
    if (event->type() == msg::WindowMessageEvent::eventType() &&
        static_cast<const msg::WindowMessageEvent *>(event)->message() ==
            MarqueeScheduler::MARQUEE_TICK) {
        tick();
        return true;
    }
    return false;
}

void CQvMarqueeCtrl::tick()
{
    m_pictureIndex = (m_pictureIndex + 1) % static_cast<int>(m_pictures.size());
    m_stepDue = true;
    if (m_style < StaticCaptionStaticPicture)
        window()->update();
}

// Drawing --------------------------------------------------------------------------------------

void CQvMarqueeCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    // The window's thin border, in the window frame colour, around the client area.
    painter.fillRect(bounds, colourOf(qv::systemColor(qv::COLOR_WINDOWFRAME)));
    const QRect client = bounds.adjusted(1, 1, -1, -1);
    if (client.isEmpty())
        return;

    // Drawn off screen and copied in one piece, so that the window never shows a half-drawn
    // marquee.
    const QPaintDevice &target = *painter.device();
    const qreal ratio = target.devicePixelRatioF();
    QImage image(client.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    constexpr double kInchesPerMeter = 1 / 0.0254;
    image.setDotsPerMeterX(qRound(target.logicalDpiX() * kInchesPerMeter));
    image.setDotsPerMeterY(qRound(target.logicalDpiY() * kInchesPerMeter));
    drawMarquee(image, client.size(), painter.font());
    painter.drawImage(client.topLeft(), image);

    // While the form is designed, the picture's and the caption's areas show.
    if (!userMode()) {
        frameRect(painter, inset(client, CaptionTop), Qt::black);
        frameRect(painter, inset(client, PictureTop), Qt::black);
    }
}

QRect CQvMarqueeCtrl::inset(const QRect &rect, Margin top) const
{
    const auto pixels = [this, top](int offset) {
        return m_marginPixels[static_cast<std::size_t>(top + offset)];
    };
    return rect.adjusted(pixels(1), pixels(0), -pixels(2), -pixels(3));
}

void CQvMarqueeCtrl::drawMarquee(QImage &image, const QSize &client, const QFont &font)
{
    QPainter dc(&image);
    dc.setFont(font);
    dc.fillRect(QRect(QPoint(0, 0), client), colourOf(m_outerFillColor));

    // The frame, outside in: a border with the corner pixels left out, a light bevel along the
    // top and left, a shadow along the right and bottom. Later lines cover earlier ones.
    const int r = client.width() - 1;
    const int b = client.height() - 1;
    const QColor border = colourOf(m_borderColor);
    line(dc, {1, 0}, {r - 1, 0}, border);
    line(dc, {r, 1}, {r, b - 1}, border);
    line(dc, {1, b}, {r - 1, b}, border);
    line(dc, {0, 1}, {0, b - 1}, border);
    const QColor light = colourOf(m_lightColor);
    line(dc, {1, 1}, {r - 1, 2}, light);
    line(dc, {1, 1}, {1, b - 1}, light);
    line(dc, {2, 2}, {2, b - 2}, light);
    const QColor shadow = colourOf(m_shadowColor);
    line(dc, {r - 1, 2}, {r - 1, b - 1}, shadow);
    line(dc, {r - 2, 3}, {r - 2, b - 1}, shadow);
    line(dc, {3, b - 2}, {r - 1, b - 2}, shadow);
    line(dc, {2, b - 1}, {r - 1, b - 1}, shadow);

    const bool pictureShown = drawPicture(dc, client);
    drawCaption(dc, client, pictureShown);
}

bool CQvMarqueeCtrl::drawPicture(QPainter &dc, const QSize &client)
{
    // While the form is designed, and in the styles with a static picture, Picture1 shows.
    if (!userMode() || m_style == MovingCaptionStaticPicture ||
        m_style == StaticCaptionStaticPicture)
        m_pictureIndex = 0;
    qvrun32::CQVPictureHolder *holder =
        &m_pictures[static_cast<std::size_t>(m_pictureIndex)].holder();
    if (holder->IsEmpty())
        holder = &m_pictures[0].holder();
    if (holder->IsEmpty())
        return false;
    // At its own size from the picture's top and left margins, or stretched between all four.
    const QRect place = m_autosize
                            ? QRect(QPoint(m_marginPixels[PictureLeft], m_marginPixels[PictureTop]),
                                    holder->NaturalSize())
                            : inset(QRect(QPoint(0, 0), client), PictureTop);
    if (!place.isEmpty())
        holder->Render(dc, place, qvrun32::WallpaperStretch, qv::translateColor(m_outerFillColor));
    return true;
}

void CQvMarqueeCtrl::drawCaption(QPainter &dc, const QSize &client, bool pictureShown)
{
    const QRect area =
        inset(QRect(QPoint(0, 0), client)
                  .adjusted(kCaptionInset, kCaptionInset, -kCaptionInset, -kCaptionInset),
              CaptionTop);
    const COLORREF fill = qv::translateColor(m_textFillColor);
    dc.setBackground(qv::toQColor(fill));
    dc.setBackgroundMode(m_fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
    const std::string &text = caption();
    if (text.empty())
        return;
    const COLORREF textColor =
        !enabled() && userMode() ? qv::disabledTextColor(fill) : qv::translateColor(m_textColor);
    if (!pictureShown && !area.isEmpty())
        dc.fillRect(area, qv::toQColor(fill));

    const int captionWidth = textWidth(dc, text, area);
    // A step of at least a pixel, whatever the font makes of a space.
    scroll(captionWidth, std::max(1, textWidth(dc, " ", area)), area.width());
    if (m_style == StaticCaptionCyclingPictures || m_style == StaticCaptionStaticPicture)
        m_offset = 0;

    QRect place(area.left() + m_offset, area.top(), captionWidth, area.height());
    dc.save();
    dc.setClipRect(area);
    qvrun32::DrawText3d(dc, text, -1, place, kCaptionFormat, m_fontStyle, textColor,
                        qv::translateColor(m_lightColor), qv::translateColor(m_shadowColor));
    dc.restore();
}

void CQvMarqueeCtrl::scroll(int captionWidth, int spaceWidth, int areaWidth)
{
    // In run mode the caption moves once per tick, however often the window paints; while the
    // form is designed it stands at the left.
    if (!userMode())
        m_offset = 0;
    else if (m_stepDue)
        m_offset += m_direction == 1 ? spaceWidth : -spaceWidth;
    m_stepDue = false;
    if (captionWidth + m_offset < -1)
        m_offset = areaWidth; // gone on the left: in again from the right
    else if (m_offset > areaWidth)
        m_offset = -captionWidth; // gone on the right: in again from the left
}

} // namespace qvmq200
