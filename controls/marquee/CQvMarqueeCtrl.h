#pragma once

#include "controls/common/CQvControlBase.h"
#include "controls/common/PictureProperty.h"

#include <QPointer>
#include <array>
#include <cstdint>

class QFont;
class QImage;

namespace qvmq200 {

// The marquee: a framed panel that cycles through up to three pictures and scrolls a one-line
// caption sideways like a ticker, both stepped by the process's marquee scheduler every
// Interval milliseconds. Style chooses whether the pictures cycle and whether the caption
// moves; Direction which way it moves. Margins in twips place the picture and the caption.
class CQvMarqueeCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0x67318EFD, 0x317B, 0x4B4C, {0xA2, 0x6A, 0xA2, 0x18, 0x8F, 0x88, 0x83, 0x64}};
    static const qv::ControlClassInfo kClassInfo;

    CQvMarqueeCtrl();
    ~CQvMarqueeCtrl() override;

protected:
    ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                    ole::ExcepInfo *error) override;
    ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                    ole::ExcepInfo *error) override;
    void resetProperties() override;
    void exchangeProperties(qv::PropertyExchange &exchange) override;
    void propertiesLoaded() override;
    void onDraw(QPainter &painter, const QRect &bounds) override;
    bool windowEvent(QEvent *event) override;
    void windowCreated() override;

private:
    // The margins in the order of their dispatch identifiers and of the stream.
    enum Margin {
        PictureTop,
        PictureLeft,
        PictureRight,
        PictureBottom,
        CaptionTop,
        CaptionLeft,
        CaptionRight,
        CaptionBottom,
        kMarginCount
    };

    ole::HRESULT putInterval(const ole::Variant &value);
    // Stores the margin in twips and its pixel form at the display's resolution.
    void setMargin(Margin margin, std::int16_t twips);
    // The scheduler ticks the window, in run mode, while Interval is above 0.
    void joinScheduler();
    void leaveScheduler();
    void tick();
    // `rect` moved in by the four margins that start with `top` (top, left, right, bottom).
    QRect inset(const QRect &rect, Margin top) const;
    // The marquee itself, drawn into `image`, the size of the client area.
    void drawMarquee(QImage &image, const QSize &client, const QFont &font);
    // True when a picture shows.
    bool drawPicture(QPainter &dc, const QSize &client);
    void drawCaption(QPainter &dc, const QSize &client, bool pictureShown);
    // Moves the caption on by a step when a tick asked for one, and brings it back in once it
    // has left its area of width `areaWidth`.
    void scroll(int captionWidth, int spaceWidth, int areaWidth);

    std::array<qv::PictureProperty, 3> m_pictures;
    qv::Bool m_autosize;
    qv::Bool m_fontTransparent;
    qv::OLE_COLOR m_borderColor = 0;
    qv::OLE_COLOR m_lightColor = 0;
    qv::OLE_COLOR m_outerFillColor = 0;
    qv::OLE_COLOR m_shadowColor = 0;
    std::int16_t m_style = 0;
    qv::OLE_COLOR m_textColor = 0;
    qv::OLE_COLOR m_textFillColor = 0;
    std::int32_t m_interval = 0;
    std::int16_t m_direction = 0;
    std::int16_t m_fontStyle = 0;
    std::array<std::int16_t, kMarginCount> m_marginTwips{};
    std::array<int, kMarginCount> m_marginPixels{};

    // The picture shown: 0 Picture1, 1 Picture2, 2 Picture3.
    int m_pictureIndex = 0;
    // The caption's left edge from the left of its area, in pixels.
    std::int32_t m_offset = 0;
    // A tick came since the caption last moved: the next paint moves it.
    bool m_stepDue = false;
    // The window the scheduler ticks.
    QPointer<QObject> m_joined;
};

} // namespace qvmq200
