#pragma once

#include "controls/common/CQvControlBase.h"
#include "controls/qvrun32/Qvrun32.h"

#include <QKeySequence>
#include <QRect>
#include <cstdint>

class QKeyEvent;
class QMouseEvent;

namespace qvcm200 {

// The 3-D command button: a push button with a bevelled face, an optional up and down picture,
// a caption in a 3-D font style, and an optional two-state (toggle) mode whose state is Value.
// It behaves as the platform's push button does: pressed with the left button or Space it
// looks pushed in, released over it (or Space released, Enter, its access key) it clicks. A
// normal button's Value is true only while its Click event runs; a state button's Value flips
// on every completed click and stays.
class CQvCommandCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0x17CCB4CE, 0xE838, 0x4FB1, {0xB1, 0x2E, 0xEF, 0xE1, 0x50, 0x18, 0x6E, 0x2A}};
    static const qv::ControlClassInfo kClassInfo;

    CQvCommandCtrl();

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
    void performClick() override;

private:
    qvrun32::CQVPictureHolder &pictureHolder(ole::DispId id);
    ole::HRESULT putValue(const ole::Variant &value);
    // Input in run mode, before the stock events are raised.
    void trackMouse(const QMouseEvent &mouse);
    // True when the key is consumed.
    bool keyInput(const QKeyEvent &key);
    // The caption's "&x" was typed with Alt.
    void accessKey(bool ambiguous);
    // Value := not Value, told to the container.
    void toggle();
    // Shown pushed in: held by the left button with the pointer inside, or by Space.
    bool held() const;
    // Grabs the caption's access key for the window, once per caption it shows.
    void followAccessKey();
    void autosize(const QSize &current);
    void drawCaption(QPainter &painter, QRect rect, qv::COLORREF fill, qv::COLORREF light,
                     qv::COLORREF shadow);

    qvrun32::CQVPictureHolder m_pictureUp;
    qvrun32::CQVPictureHolder m_pictureDown;
    qv::Bool m_autosize;
    std::int16_t m_alignment = 0;
    qv::Bool m_fontTransparent;
    qv::Bool m_multiLine;
    qv::Bool m_stateButton;
    qv::Bool m_value;
    std::int16_t m_fontStyle = 0;
    std::int16_t m_bevelSize = 0;
    qv::OLE_COLOR m_borderColor = 0;
    std::int16_t m_borderStyle = 0;
    qv::OLE_COLOR m_fillColor = 0;
    qv::OLE_COLOR m_lightColor = 0;
    qv::OLE_COLOR m_shadowColor = 0;
    qv::OLE_COLOR m_textColor = 0;
    std::int16_t m_wallPaper = 0;
    std::int16_t m_bevelStyle = 0;

    // The caption rectangle of the last paint that drew a caption; the focus rectangle.
    QRect m_focusRect;
    bool m_mouseHeld = false; // the left button went down on the button and is still down
    bool m_pointerInside = false;
    bool m_spaceHeld = false;
    QKeySequence m_accessKey;
    int m_accessKeyId = 0;
};

} // namespace qvcm200
