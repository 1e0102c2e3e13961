#include "controls/command3d/CQvCommandCtrl.h"

#include "controls/command3d/Qvcm200Pages.h"
#include "controls/command3d/Qvcm200TypeLib.h"
#include "controls/common/PropertyExchange.h"
#include "platform/ole/StdPicture.h"
#include "platform/text/Ansi.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QShortcutEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

// Pictures draw in their own colours on every display here: there is no palette to realise
// when the system palette changes, so the button has nothing to do about palettes.

namespace qvcm200 {

namespace {

using qv::Bool;
using qv::COLORREF;

enum Alignment : std::int16_t { AlignToLeft = 0, AlignToRight = 1, AlignToCenter = 2 };

// The bevel width drawn for BevelSize 0.
constexpr int kDefaultBevel = 2;
// A state button held down shows a deeper bevel by this much.
constexpr int kHeldStateBevel = 2;
// Autosize leaves a window alone that is within this many pixels of the picture's size.
constexpr int kAutosizeSlack = 3;
// The caption keeps this far off the interior's edges.
constexpr int kCaptionMargin = 2;

void exchangePicture(qv::PropertyExchange &exchange, qvrun32::CQVPictureHolder &holder)
{
    auto picture = holder.Picture();
    exchange.exchange(picture);
    if (exchange.isLoading())
        holder.SetPicture(std::move(picture));
}

// The platform's focus rectangle: every other pixel of a one-pixel frame inverted, so that it
// shows on any face.
void drawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.isEmpty())
        return;
    QPolygon dots;
    const auto dot = [&dots](int x, int y) {
        if ((x + y) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() > rect.top())
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() > rect.left())
            dot(rect.right(), y);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawPoints(dots);
    painter.restore();
}

} // namespace

const qv::ControlClassInfo CQvCommandCtrl::kClassInfo{
    kClsid,
    "QVCM200.Qvcm200Ctrl.1",
    "3-D Command Button Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_CAPTION | qv::STOCK_FONT | qv::STOCK_FORECOLOR |
        qv::STOCK_ENABLED,
    &kTypeLib,
    kPropertyPages,
};

CQvCommandCtrl::CQvCommandCtrl() : CQvControlBase(kClassInfo)
{
    // Autosize and FontTransparent keep the truth of what they are given (1), the other BOOLs
    // the automation value (-1).
    bindProperties({
        {.id = DISPID_AUTOSIZE, .member = &m_autosize, .low = -1, .high = 1, .storesTruth = true},
        {.id = DISPID_ALIGNMENT, .member = &m_alignment, .low = AlignToLeft, .high = AlignToCenter},
        {.id = DISPID_MULTILINE, .member = &m_multiLine},
        {.id = DISPID_FONTSTYLE,
         .member = &m_fontStyle,
         .low = qvrun32::None,
         .high = qvrun32::LoweredShading},
        {.id = DISPID_BEVELSIZE, .member = &m_bevelSize, .low = 0},
        {.id = DISPID_BORDERCOLOR, .member = &m_borderColor},
        {.id = DISPID_BORDERSTYLE,
         .member = &m_borderStyle,
         .low = qvrun32::BorderNone,
         .high = qvrun32::BorderRounded},
        {.id = DISPID_FILLCOLOR, .member = &m_fillColor},
        {.id = DISPID_LIGHTCOLOR, .member = &m_lightColor},
        {.id = DISPID_SHADOWCOLOR, .member = &m_shadowColor},
        {.id = DISPID_TEXTCOLOR, .member = &m_textColor},
        {.id = DISPID_WALLPAPER,
         .member = &m_wallPaper,
         .low = qvrun32::WallpaperStretch,
         .high = qvrun32::WallpaperTile},
        {.id = DISPID_BEVELSTYLE,
         .member = &m_bevelStyle,
         .low = qvrun32::BevelLowered,
         .high = qvrun32::BevelShadowedLeft},
        {.id = DISPID_FONTTRANSPARENT,
         .member = &m_fontTransparent,
         .low = -1,
         .high = 1,
         .storesTruth = true},
    });
}

// Properties -----------------------------------------------------------------------------------

qvrun32::CQVPictureHolder &CQvCommandCtrl::pictureHolder(ole::DispId id)
{
    return id == DISPID_PICTUREUP ? m_pictureUp : m_pictureDown;
}

ole::HRESULT CQvCommandCtrl::getControlProperty(ole::DispId id, ole::Variant &result,
                                                ole::ExcepInfo *)
{
    switch (id) {
    case ole::DISPID_VALUE: // Value is the default value too
    case DISPID_VALUE:
        result = static_cast<bool>(m_value);
        return ole::S_OK;
    case DISPID_STATEBUTTON:
        result = static_cast<bool>(m_stateButton);
        return ole::S_OK;
    case DISPID_PICTUREUP:
    case DISPID_PICTUREDOWN: {
        // Without a picture the caller gets an empty one to work with; the button still holds
        // none, so that what it saves does not change by being read.
        const auto &picture = pictureHolder(id).Picture();
        result = ole::DispatchPtr(picture ? picture : std::make_shared<ole::StdPicture>());
        return ole::S_OK;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT CQvCommandCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                                ole::ExcepInfo *)
{
    switch (id) {
    case ole::DISPID_VALUE:
    case DISPID_VALUE:
        return putValue(value);
    case DISPID_STATEBUTTON: {
        const auto stateButton = ole::toBool(value);
        if (!stateButton)
            return ole::DISP_E_TYPEMISMATCH;
        m_value = Bool();
        m_stateButton = Bool::fromVariant(*stateButton);
        break;
    }
    case DISPID_PICTUREUP:
    case DISPID_PICTUREDOWN: {
        // Any kind of picture will do.
        const auto object = ole::toDispatch(value);
        auto picture = object ? std::dynamic_pointer_cast<ole::StdPicture>(*object) : nullptr;
        if (!object || (*object && !picture))
            return ole::DISP_E_TYPEMISMATCH;
        pictureHolder(id).SetPicture(std::move(picture));
        break;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

// A normal button keeps false: it is true only while its Click runs. Either way the button
// clicks when told true, and a state button clicks on every change.
ole::HRESULT CQvCommandCtrl::putValue(const ole::Variant &value)
{
    const auto truth = ole::toBool(value);
    if (!truth)
        return ole::DISP_E_TYPEMISMATCH;
    m_value = m_stateButton ? Bool::fromVariant(*truth) : Bool();
    NotifyPropertyChanged(DISPID_VALUE);
    if (*truth || m_stateButton)
        fireEvent(ole::DISPID_CLICK, {});
    return ole::S_OK;
}

void CQvCommandCtrl::resetProperties()
{
    m_pictureUp.SetPicture(nullptr);
    m_pictureDown.SetPicture(nullptr);
    m_autosize = Bool::fromTruth(true);
    m_alignment = AlignToLeft;
    m_fontTransparent = Bool::fromTruth(true);
    m_multiLine = Bool();
    m_stateButton = Bool();
    m_value = Bool();
    m_fontStyle = qvrun32::None;
    m_bevelSize = 2;
    m_borderColor = qv::systemColor(qv::COLOR_WINDOWFRAME);
    m_borderStyle = qvrun32::BorderRounded;
    m_fillColor = qv::systemColor(qv::COLOR_BTNFACE);
    m_lightColor = qv::systemColor(qv::COLOR_BTNHIGHLIGHT);
    m_shadowColor = qv::systemColor(qv::COLOR_BTNSHADOW);
    m_textColor = qv::systemColor(qv::COLOR_BTNTEXT);
    m_wallPaper = qvrun32::WallpaperStretch;
    m_bevelStyle = qvrun32::BevelRaised;
    m_focusRect = QRect();
}

void CQvCommandCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    exchangePicture(exchange, m_pictureUp);
    exchangePicture(exchange, m_pictureDown);
    exchange.exchange(m_autosize);
    exchange.exchange(m_alignment);
    exchange.exchange(m_fontTransparent);
    exchange.exchange(m_multiLine);
    exchange.exchange(m_stateButton);
    exchange.exchange(m_value);
    exchange.exchange(m_fontStyle);
    exchange.exchange(m_bevelSize);
    exchange.exchange(m_borderColor);
    exchange.exchange(m_borderStyle);
    exchange.exchange(m_fillColor);
    exchange.exchange(m_lightColor);
    exchange.exchange(m_shadowColor);
    exchange.exchange(m_textColor);
    exchange.exchange(m_wallPaper);
    exchange.exchange(m_bevelStyle);
    exchangeMousePointer(exchange);
    exchangeMouseIcon(exchange);
}

void CQvCommandCtrl::propertiesLoaded()
{
    // The window starts again from the loaded values: nothing held, the new access key.
    recreateWindow();
}

// Input ----------------------------------------------------------------------------------------

void CQvCommandCtrl::windowCreated()
{
    m_mouseHeld = false;
    m_pointerInside = false;
    m_spaceHeld = false;
    m_accessKey = QKeySequence();
    m_accessKeyId = 0;
    followAccessKey();
}

bool CQvCommandCtrl::windowEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // The access key follows the caption the window shows.
        followAccessKey();
        return false;
    case QEvent::FocusOut:
        // Space let go elsewhere is no click.
        if (m_spaceHeld) {
            m_spaceHeld = false;
            window()->update();
        }
        return false;
    default:
        break;
    }
    if (!userMode())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        trackMouse(static_cast<const QMouseEvent &>(*event));
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyInput(static_cast<const QKeyEvent &>(*event));
    case QEvent::ShortcutOverride: {
        // Enter on the focused button clicks it rather than the dialog's default button.
        auto &key = static_cast<QKeyEvent &>(*event);
        if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
            return false;
        key.accept();
        return true;
    }
    case QEvent::Shortcut:
        accessKey(static_cast<const QShortcutEvent &>(*event).isAmbiguous());
        return true;
    default:
        return false;
    }
}

bool CQvCommandCtrl::held() const
{
    return (m_mouseHeld && m_pointerInside) || m_spaceHeld;
}

void CQvCommandCtrl::trackMouse(const QMouseEvent &mouse)
{
    QWidget *button = window();
    const bool wasHeld = held();
    const bool inside = button->rect().contains(mouse.position().toPoint());
    const bool left = mouse.button() == Qt::LeftButton;
    switch (mouse.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!left)
            break;
        if (!m_stateButton)
            m_value = Bool();
        m_mouseHeld = true;
        m_pointerInside = inside;
        break;
    case QEvent::MouseMove:
        m_pointerInside = inside;
        break;
    default: // released
        if (!left)
            break;
        m_mouseHeld = false;
        // Released outside, a state button stays up; the stock handling clicks when inside.
        m_value = m_stateButton && inside ? Bool::fromTruth(!m_value) : Bool();
        NotifyPropertyChanged(DISPID_VALUE);
        break;
    }
    if (held() != wasHeld)
        button->update();
}

bool CQvCommandCtrl::keyInput(const QKeyEvent &key)
{
    const bool press = key.type() == QEvent::KeyPress;
    if (key.key() == Qt::Key_Space && press) {
        if (!m_spaceHeld) {
            m_spaceHeld = true;
            window()->update();
        }
        if (key.text().isEmpty())
            return false;
        // The Space character is the button's own: KeyDown goes out, KeyPress does not.
        QKeyEvent keyOnly(QEvent::KeyPress, key.key(), key.modifiers(), QString(),
                          key.isAutoRepeat());
        QCoreApplication::sendEvent(window(), &keyOnly);
        return true;
    }
    if (key.key() == Qt::Key_Space && !key.isAutoRepeat() && m_spaceHeld) {
        m_spaceHeld = false;
        window()->update();
        m_value = Bool::fromTruth(m_stateButton && !m_value);
        NotifyPropertyChanged(DISPID_VALUE);
        performClick();
        return false;
    }
    // The Enter character; with Ctrl or Alt the key types none.
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (press && enter && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (m_stateButton)
            toggle();
        performClick();
    }
    return false;
}

void CQvCommandCtrl::accessKey(bool ambiguous)
{
    // Several controls of the window share the key: it moves the focus among them instead.
    if (ambiguous) {
        window()->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (m_stateButton)
        toggle();
    performClick();
}

void CQvCommandCtrl::followAccessKey()
{
    const QKeySequence key = QKeySequence::mnemonic(text::fromAnsi(caption()));
    if (key == m_accessKey)
        return;
    QWidget *button = window();
    if (m_accessKeyId != 0)
        button->releaseShortcut(m_accessKeyId);
    m_accessKey = key;
    m_accessKeyId = key.isEmpty() ? 0 : button->grabShortcut(key, Qt::WindowShortcut);
}

void CQvCommandCtrl::toggle()
{
    m_value = Bool::fromTruth(!m_value);
    NotifyPropertyChanged(DISPID_VALUE);
}

void CQvCommandCtrl::performClick()
{
    if (m_stateButton) {
        fireEvent(ole::DISPID_CLICK, {});
        return;
    }
    m_value = Bool::fromTruth(true);
    if (!fireEvent(ole::DISPID_CLICK, {}))
        return;
    m_value = Bool();
    NotifyPropertyChanged(DISPID_VALUE);
}

// Drawing --------------------------------------------------------------------------------------

void CQvCommandCtrl::autosize(const QSize &current)
{
    QWidget *button = window();
    if (!m_autosize || m_pictureUp.IsEmpty() || !button)
        return;
    // A stream may hold a negative bevel size; it adds nothing.
    const int frame = 2 * std::max<int>(m_bevelSize, 0);
    const QSize wanted = m_pictureUp.NaturalSize() + QSize(frame, frame);
    if (std::abs(current.width() - wanted.width()) <= kAutosizeSlack &&
        std::abs(current.height() - wanted.height()) <= kAutosizeSlack)
        return;
    // Once the paint is over: the new size paints again.
    QMetaObject::invokeMethod(
        button, [button, wanted] { button->resize(wanted); }, Qt::QueuedConnection);
}

void CQvCommandCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    const COLORREF fill = qv::translateColor(m_fillColor);
    const COLORREF shadow = qv::translateColor(m_shadowColor);
    const COLORREF light = qv::translateColor(m_lightColor);
    const COLORREF border = qv::translateColor(m_borderColor);
    int bevel = m_bevelSize == 0 ? kDefaultBevel : m_bevelSize;
    autosize(bounds.size());

    const bool heldDown = held();
    const bool pushedIn = heldDown || (m_stateButton && m_value);
    if (m_stateButton && heldDown)
        bevel += kHeldStateBevel;
    QWidget *button = window();
    const bool focused = button && button->hasFocus();
    // The border is one pixel wider while the button has the focus; without a border style the
    // focus alone draws one.
    int borderWidth = (m_borderStyle == qvrun32::BorderNone ? 1 : 2) - (focused ? 0 : 1);
    // A picture button has no bevel or border of its own.
    const bool picture = !m_pictureUp.IsEmpty();
    if (picture) {
        bevel = 0;
        borderWidth = 0;
    }

    // Without a picture the frame fills the interior with FillColor.
    QRect interior = bounds;
    qvrun32::DrawBevelFrame(button, painter, bevel, borderWidth, m_borderStyle, m_bevelStyle,
                            pushedIn, !picture, shadow, light, fill, border, 0,
                            static_cast<bool>(m_autosize), 1, m_wallPaper, 0, 0, interior);
    if (picture)
        (pushedIn ? m_pictureDown : m_pictureUp).Render(painter, interior, m_wallPaper, fill);
    drawCaption(painter, interior, fill, light, shadow);
    if (focused)
        drawFocusRect(painter, m_focusRect);
}

// The caption stays in place when the button is pushed in: only the bevel and picture change.
void CQvCommandCtrl::drawCaption(QPainter &painter, QRect rect, COLORREF fill, COLORREF light,
                                 COLORREF shadow)
{
    if (caption().empty())
        return;
    painter.setBackgroundMode(m_fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
    painter.setBackground(qv::toQColor(fill));
    unsigned format =
        m_multiLine ? qvrun32::DT_WORDBREAK : qvrun32::DT_SINGLELINE | qvrun32::DT_VCENTER;
    if (m_alignment == AlignToRight)
        format |= qvrun32::DT_RIGHT;
    else if (m_alignment == AlignToCenter)
        format |= qvrun32::DT_CENTER;
    rect.adjust(kCaptionMargin, kCaptionMargin, -kCaptionMargin, -kCaptionMargin);
    const bool grey = !enabled() && userMode();
    const COLORREF text = grey ? qv::disabledTextColor(fill) : qv::translateColor(m_textColor);
    qvrun32::DrawText3d(painter, caption(), -1, rect, format,
                        grey ? int{qvrun32::None} : m_fontStyle, text, light, shadow);
    m_focusRect = rect;
}

} // namespace qvcm200
