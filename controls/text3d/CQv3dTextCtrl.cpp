#include "controls/text3d/CQv3dTextCtrl.h"

#include "controls/common/PropertyExchange.h"
#include "controls/qvrun32/Qvrun32.h"
#include "controls/text3d/EditText.h"
#include "controls/text3d/Qv3dTextPages.h"
#include "controls/text3d/Qv3dTextTypeLib.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace qvgtxt {

namespace {

using qv::COLORREF;

enum Alignment : std::int16_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
enum ScrollBars : std::int16_t { ScrollNone = 0, ScrollVertical = 1, ScrollHorizontal = 2 };

// Besides 0 to 2, BevelStyle takes this value; it is kept and drawn like 2.
constexpr std::int16_t kBevelStyleKept = 3000;
// The room between the field's edges and its text.
constexpr int kTextMargin = 2;

// The text colour of a disabled box on `fill`: the system's grey text, unless the fill is that
// grey, then a grey that shows on it.
COLORREF disabledTextColor(COLORREF fill)
{
    const COLORREF grey = qv::translateColor(qv::systemColor(qv::COLOR_GRAYTEXT));
    if (grey != fill)
        return grey;
    return grey == 0x808080 ? 0x404040 : 0x808080;
}

Qt::Alignment textAlignment(std::int16_t alignment)
{
    switch (alignment) {
    case AlignRight:
        return Qt::AlignRight;
    case AlignCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

const qv::ControlClassInfo CQv3dTextCtrl::kClassInfo{
    kClsid,
    "QVGTXT.Qv3dTextCtrl.1",
    "Qv3dText Control",
    qv::STOCK_BACKCOLOR | qv::STOCK_FONT | qv::STOCK_FORECOLOR | qv::STOCK_ENABLED,
    &kTextTypeLib,
    kPropertyPages,
};

CQv3dTextCtrl::CQv3dTextCtrl() : CQvControlBase(kClassInfo)
{
    Properties &p = m_props;
    bindProperties({
        {.id = DISPID_ALIGNMENT, .member = &p.alignment, .low = AlignLeft, .high = AlignCenter},
        {.id = DISPID_BEVELSIZE, .member = &p.bevelSize, .low = 0},
        {.id = DISPID_BORDERCOLOR, .member = &p.borderColor},
        {.id = DISPID_BORDERSTYLE,
         .member = &p.borderStyle,
         .low = qvrun32::BorderNone,
         .high = qvrun32::BorderRounded},
        {.id = DISPID_LIGHTCOLOR, .member = &p.lightColor},
        {.id = DISPID_SHADOWCOLOR, .member = &p.shadowColor},
        {.id = DISPID_MULTILINE, .member = &p.multiline},
        {.id = DISPID_SCROLLBARS,
         .member = &p.scrollBars,
         .low = ScrollNone,
         .high = ScrollVertical | ScrollHorizontal},
        // Kept and saved, and nothing else.
        {.id = DISPID_DATALENGTH,
         .member = &p.dataLength,
         .effects = qv::MarkModified | qv::TellContainer},
        {.id = DISPID_READONLY, .member = &p.readOnly},
    });
}

// Properties -----------------------------------------------------------------------------------

ole::HRESULT CQv3dTextCtrl::getControlProperty(ole::DispId id, ole::Variant &result,
                                               ole::ExcepInfo *)
{
    switch (id) {
    case ole::DISPID_TEXT:
    case ole::DISPID_VALUE: // Text is the default value too
        result = m_props.text;
        break;
    case DISPID_BEVELSTYLE:
        result = m_props.bevelStyle;
        break;
    case DISPID_FILLCOLOR:
        result = static_cast<std::int32_t>(m_props.fillColor);
        break;
    case DISPID_TEXTCOLOR:
        result = static_cast<std::int32_t>(m_props.textColor);
        break;
    case DISPID_TEXTLENGTH:
        result = m_props.textLength;
        break;
    case DISPID_SELSTART:
    case DISPID_SELLENGTH:
    case DISPID_SELTEXT: {
        const Selection selected = selection();
        const int length = selected.end - selected.start;
        if (id == DISPID_SELSTART)
            result = std::int32_t{selected.start};
        else if (id == DISPID_SELLENGTH)
            result = std::int32_t{length};
        else
            result = m_props.text.substr(static_cast<std::size_t>(selected.start),
                                         static_cast<std::size_t>(length));
        break;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
    return ole::S_OK;
}

ole::HRESULT CQv3dTextCtrl::putControlProperty(ole::DispId id, const ole::Variant &value,
                                               ole::ExcepInfo *error)
{
    switch (id) {
    case ole::DISPID_TEXT:
    case ole::DISPID_VALUE:
        return putText(value);
    case DISPID_SELTEXT:
        return putSelText(value);
    case DISPID_SELSTART:
    case DISPID_SELLENGTH:
        return putSelection(id, value);
    case DISPID_TEXTLENGTH:
    case DISPID_BEVELSTYLE:
        return putNumber(id, value, error);
    case DISPID_FILLCOLOR:
    case DISPID_TEXTCOLOR:
        return putColor(id, value, error);
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT CQv3dTextCtrl::putText(const ole::Variant &value)
{
    const auto text = ole::toString(value);
    if (!text)
        return ole::DISP_E_TYPEMISMATCH;
    // A text longer than the limit keeps its beginning.
    const std::string_view kept = leftPart(*text, static_cast<std::size_t>(lengthLimit()));
    const std::string before = m_props.text;
    if (m_edit)
        writeEdit(kept, false);
    else
        m_props.text = kept;
    if (changed(before))
        NotifyPropertyChanged(ole::DISPID_TEXT, qv::MarkModified | qv::Repaint);
    return ole::S_OK;
}

ole::HRESULT CQv3dTextCtrl::putSelText(const ole::Variant &value)
{
    const auto text = ole::toString(value);
    if (!text)
        return ole::DISP_E_TYPEMISMATCH;
    if (!m_edit)
        return ole::S_OK; // without a field there is no selection to replace
    // As much of the text goes in as the limit leaves room for.
    const Selection selected = selection();
    const int rest = static_cast<int>(m_props.text.size()) - (selected.end - selected.start);
    const int room = std::max(lengthLimit() - rest, 0);
    const std::string before = m_props.text;
    writeEdit(leftPart(*text, static_cast<std::size_t>(room)), true);
    if (changed(before))
        NotifyPropertyChanged(DISPID_SELTEXT);
    return ole::S_OK;
}

ole::HRESULT CQv3dTextCtrl::putSelection(ole::DispId id, const ole::Variant &value)
{
    const auto number = ole::toLong(value);
    if (!number)
        return ole::DISP_E_TYPEMISMATCH;
    const Selection selected = selection();
    const std::int64_t length = selected.end - selected.start;
    if (id == DISPID_SELSTART) {
        // A start beyond the end of the text is no start at all.
        if (*number < 0 || *number > static_cast<std::int64_t>(m_props.text.size()) + 1)
            return ole::S_OK;
        select(*number, *number + length);
    } else {
        select(selected.start, selected.start + std::int64_t{*number});
    }
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

ole::HRESULT CQv3dTextCtrl::putNumber(ole::DispId id, const ole::Variant &value,
                                      ole::ExcepInfo *error)
{
    const auto number = ole::toLong(value);
    if (!number)
        return ole::DISP_E_TYPEMISMATCH;
    const bool bevelStyle = id == DISPID_BEVELSTYLE;
    const bool valid =
        bevelStyle ? (*number >= qvrun32::BevelLowered && *number <= qvrun32::BevelChiseled) ||
                         *number == kBevelStyleKept
                   : *number >= 0 && *number <= kMaxTextLength;
    if (!valid)
        return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
    // A new length limit holds for what is typed from then on; the text already there stays.
    if (bevelStyle)
        m_props.bevelStyle = static_cast<std::int16_t>(*number);
    else
        m_props.textLength = *number;
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

ole::HRESULT CQv3dTextCtrl::putColor(ole::DispId id, const ole::Variant &value,
                                     ole::ExcepInfo *error)
{
    const auto color = ole::toLong(value);
    if (!color)
        return ole::DISP_E_TYPEMISMATCH;
    const bool fill = id == DISPID_FILLCOLOR;
    // The stock colour first: when the container refuses it, neither changes.
    if (const ole::HRESULT hr =
            putProperty(fill ? ole::DISPID_BACKCOLOR : ole::DISPID_FORECOLOR, value, error);
        ole::failed(hr))
        return hr;
    (fill ? m_props.fillColor : m_props.textColor) = static_cast<qv::OLE_COLOR>(*color);
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

void CQv3dTextCtrl::resetProperties()
{
    m_props = Properties();
}

void CQv3dTextCtrl::exchangeProperties(qv::PropertyExchange &exchange)
{
    Properties &p = m_props;
    exchange.exchange(p.alignment);
    exchange.exchange(p.bevelSize);
    exchange.exchange(p.bevelStyle);
    exchange.exchange(p.borderColor);
    exchange.exchange(p.borderStyle);
    exchange.exchange(p.fillColor);
    exchange.exchange(p.lightColor);
    exchange.exchange(p.shadowColor);
    exchange.exchange(p.textColor);
    exchange.exchange(p.multiline);
    exchange.exchange(p.scrollBars);
    exchange.exchange(p.text);
    exchange.exchange(p.textLength);
    exchange.exchange(p.dataLength);
    exchange.exchange(p.readOnly);
    exchangeMouseIcon(exchange);
}

void CQv3dTextCtrl::propertiesLoaded()
{
    // The field shows the new text, whatever its length: the limit is for typing.
    if (m_edit)
        writeEdit(m_props.text, false);
}

int CQv3dTextCtrl::lengthLimit() const
{
    // A stream may hold any number.
    const std::int32_t length = m_props.textLength;
    return length > 0 && length < kMaxTextLength ? length : kMaxTextLength;
}

int CQv3dTextCtrl::frameWidth() const
{
    const int bevel = std::max<int>(m_props.bevelSize, 0);
    return bevel + (m_props.borderStyle != qvrun32::BorderNone || bevel != 0 ? 1 : 0);
}

// The field -------------------------------------------------------------------------------------

void CQv3dTextCtrl::windowCreated()
{
    // The old field went with the old window.
    releaseEdit();
    // Every paint covers the whole window.
    window()->setAttribute(Qt::WA_OpaquePaintEvent);
    updateEdit();
}

void CQv3dTextCtrl::propertiesApplied()
{
    updateEdit();
}

void CQv3dTextCtrl::updateEdit()
{
    QWidget *box = window();
    if (!box)
        return;
    if (!userMode()) {
        if (QPlainTextEdit *edit = m_edit) {
            releaseEdit();
            edit->hide();
            edit->deleteLater();
        }
        return;
    }
    if (!m_edit)
        createEdit(*box);
    QPlainTextEdit &edit = *m_edit;
    const Properties &p = m_props;
    // Without word wrap the field scrolls sideways.
    edit.setLineWrapMode(p.multiline ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit.setVerticalScrollBarPolicy(p.scrollBars & ScrollVertical ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAlwaysOff);
    edit.setHorizontalScrollBarPolicy(p.scrollBars & ScrollHorizontal ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
    QTextOption option = edit.document()->defaultTextOption();
    if (option.alignment() != textAlignment(p.alignment)) {
        option.setAlignment(textAlignment(p.alignment));
        edit.document()->setDefaultTextOption(option);
    }
    edit.setReadOnly(static_cast<bool>(p.readOnly));
    // A read-only box still lets its text be selected and copied, with the mouse or the keys.
    if (p.readOnly)
        edit.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit.setFont(drawingFont(edit));
    // The rest of the colours come from the box's window: FillColor and TextColor.
    QPalette palette;
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     qv::toQColor(disabledTextColor(qv::translateColor(p.fillColor))));
    edit.setPalette(palette);
    // The scroll bars keep the system's colours, as the platform's edit fields' do.
    QPalette system = QGuiApplication::palette();
    system.setResolveMask(~QPalette::ResolveMask{});
    edit.verticalScrollBar()->setPalette(system);
    edit.horizontalScrollBar()->setPalette(system);
    // MousePointer shows over the text as well; by default the field's own I-beam.
    edit.viewport()->setCursor(box->testAttribute(Qt::WA_SetCursor) ? box->cursor()
                                                                    : QCursor(Qt::IBeamCursor));
    placeEdit();
}

void CQv3dTextCtrl::placeEdit()
{
    // Inside the frame, which is the window's non-client area.
    const QRect bounds = window()->rect();
    const int frame = std::min({frameWidth(), bounds.width() / 2, bounds.height() / 2});
    m_edit->setGeometry(bounds.adjusted(frame, frame, -frame, -frame));
}

void CQv3dTextCtrl::createEdit(QWidget &box)
{
    auto *edit = new QPlainTextEdit(&box);
    m_edit = edit;
    edit->setFrameShape(QFrame::NoFrame);
    edit->setTabChangesFocus(true);
    edit->document()->setDocumentMargin(kTextMargin);
    edit->viewport()->setMouseTracking(true);
    writeEdit(m_props.text, false);
    QObject::connect(edit->document(), &QTextDocument::contentsChange, &m_editSignals,
                     [this](int from, int, int added) {
                         m_inserted = {from, added};
                     });
    QObject::connect(edit, &QPlainTextEdit::textChanged, &m_editSignals, [this] { editChanged(); });
    // Typing goes to the field; its keys and clicks are the box's.
    box.setFocusProxy(edit);
    routeInput(edit);
    routeInput(edit->viewport());
    edit->show();
}

void CQv3dTextCtrl::releaseEdit()
{
    if (!m_edit)
        return;
    QObject::disconnect(m_edit, nullptr, &m_editSignals, nullptr);
    QObject::disconnect(m_edit->document(), nullptr, &m_editSignals, nullptr);
    if (QWidget *box = m_edit->parentWidget())
        box->setFocusProxy(nullptr);
    m_edit = nullptr;
}

std::string CQv3dTextCtrl::editText() const
{
    return fromEditText(m_edit->document()->toRawText());
}

void CQv3dTextCtrl::writeEdit(std::string_view text, bool selectionOnly)
{
    m_writing = true;
    if (selectionOnly) {
        // The caret ends after the new text.
        QTextCursor cursor = m_edit->textCursor();
        cursor.insertText(toEditText(text));
        m_edit->setTextCursor(cursor);
    } else {
        m_edit->setPlainText(toEditText(text));
    }
    m_writing = false;
    m_props.text = editText();
}

void CQv3dTextCtrl::editChanged()
{
    if (m_writing)
        return;
    keepToLimit();
    const std::string before = m_props.text;
    m_props.text = editText();
    changed(before);
}

void CQv3dTextCtrl::keepToLimit()
{
    // Typing at the limit inserts nothing; a paste inserts what fits.
    const QString text = m_edit->document()->toRawText();
    const int excess = ansiPosition(text, static_cast<int>(text.size())) - lengthLimit();
    const int end = std::min(m_inserted.from + m_inserted.added, static_cast<int>(text.size()));
    if (excess <= 0 || end <= m_inserted.from)
        return;
    const int start =
        std::max(m_inserted.from, editPosition(text, ansiPosition(text, end) - excess));
    QTextCursor cut(m_edit->document());
    cut.setPosition(start);
    cut.setPosition(end, QTextCursor::KeepAnchor);
    m_writing = true;
    // One step with the insertion for undo.
    cut.joinPreviousEditBlock();
    cut.removeSelectedText();
    cut.endEditBlock();
    m_writing = false;
}

bool CQv3dTextCtrl::changed(const std::string &before)
{
    if (m_props.text == before || !userMode())
        return true;
    return fireEvent(DISPID_CHANGE, {});
}

CQv3dTextCtrl::Selection CQv3dTextCtrl::selection() const
{
    if (!m_edit)
        return {};
    const QString text = m_edit->document()->toRawText();
    const QTextCursor cursor = m_edit->textCursor();
    return {ansiPosition(text, cursor.selectionStart()), ansiPosition(text, cursor.selectionEnd())};
}

void CQv3dTextCtrl::select(std::int64_t anchor, std::int64_t position)
{
    if (!m_edit)
        return;
    const QString text = m_edit->document()->toRawText();
    const auto within = [&](std::int64_t at) {
        return editPosition(text, static_cast<int>(std::clamp<std::int64_t>(
                                      at, 0, static_cast<std::int64_t>(m_props.text.size()))));
    };
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(within(anchor));
    cursor.setPosition(within(position), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

// Input ------------------------------------------------------------------------------------------

bool CQv3dTextCtrl::acceptsCharacter(std::int16_t keyAscii) const
{
    // A box that is not Multiline drops Enter.
    return static_cast<bool>(m_props.multiline) || keyAscii != '\r';
}

bool CQv3dTextCtrl::windowEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize && m_edit)
        placeEdit();
    return false;
}

std::pair<qv::OLE_COLOR, qv::OLE_COLOR> CQv3dTextCtrl::childColors() const
{
    return {m_props.fillColor, m_props.textColor};
}

// Drawing --------------------------------------------------------------------------------------

void CQv3dTextCtrl::onDraw(QPainter &painter, const QRect &bounds)
{
    const Properties &p = m_props;
    const COLORREF fill = qv::translateColor(p.fillColor);
    painter.fillRect(bounds, qv::toQColor(fill));
    // The field draws its text itself; a box without one is drawn whole here.
    const bool drawText = !m_edit;
    QRect interior = bounds;
    qvrun32::DrawBevelFrame(
        window(), painter, std::max<int>(p.bevelSize, 0),
        p.borderStyle != qvrun32::BorderNone ? 1 : 0, p.borderStyle,
        p.bevelStyle > qvrun32::BevelRaised ? int{qvrun32::BevelChiseled} : p.bevelStyle,
        p.bevelStyle == qvrun32::BevelLowered, drawText, qv::translateColor(p.shadowColor),
        qv::translateColor(p.lightColor), fill, qv::translateColor(p.borderColor), 0, false, 1, 0,
        0, 0, interior);
    if (!drawText)
        return;
    // Where the field would show it; the container's name for the box while it has no text.
    const std::string text = p.text.empty() ? ambientDisplayName() : p.text;
    unsigned format = qvrun32::DT_WORDBREAK;
    if (p.alignment == AlignRight)
        format |= qvrun32::DT_RIGHT;
    else if (p.alignment == AlignCenter)
        format |= qvrun32::DT_CENTER;
    QRect rect = interior.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(qv::toQColor(fill));
    const COLORREF color = enabled() ? qv::translateColor(p.textColor) : disabledTextColor(fill);
    qvrun32::DrawText3d(painter, text, -1, rect, format, qvrun32::None, color, color, color);
}

} // namespace qvgtxt
