#include "controls/common/CQvControlBase.h"

#include "controls/common/ControlWindow.h"
#include "controls/common/PropertyExchange.h"
#include "controls/common/Units.h"
#include "controls/qvrun32/Qvrun32.h"
#include "platform/ole/ControlSite.h"
#include "platform/ole/Himetric.h"
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/text/Ansi.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace qv {

namespace {

constexpr std::uint32_t kAutomationErrorBase = 0x800A0000u;
constexpr std::int32_t kNoHelpContext = -1;
constexpr std::int16_t kCustomPointer = 99;
constexpr std::uint32_t kKnownStockBits =
    STOCK_BACKCOLOR | STOCK_CAPTION | STOCK_FONT | STOCK_FORECOLOR | STOCK_TEXT | STOCK_ENABLED;

// About boxes being prepared or shown, in this library: a request while one is open is dropped.
int aboutBoxesOpen = 0;

// The cursor of each MousePointer value 1..15.
constexpr std::array<Qt::CursorShape, 15> kPointerShapes = {
    Qt::ArrowCursor,     // 1 arrow
    Qt::CrossCursor,     // 2 cross
    Qt::IBeamCursor,     // 3 I-beam
    Qt::ArrowCursor,     // 4 icon: the platform has no such cursor any more
    Qt::SizeAllCursor,   // 5 size
    Qt::SizeBDiagCursor, // 6 size NE-SW
    Qt::SizeVerCursor,   // 7 size N-S
    Qt::SizeFDiagCursor, // 8 size NW-SE
    Qt::SizeHorCursor,   // 9 size E-W
    Qt::UpArrowCursor,   // 10 up arrow
    Qt::WaitCursor,      // 11 hourglass
    Qt::ForbiddenCursor, // 12 no drop
    Qt::BusyCursor,      // 13 arrow and hourglass
    Qt::WhatsThisCursor, // 14 arrow and question mark
    Qt::SizeAllCursor,   // 15 size all
};

bool validMousePointer(std::int16_t value)
{
    return (value >= 0 && value <= 15) || value == kCustomPointer;
}

// The keys that reach the control rather than the dialog's shortcuts: Page Up, Page Down, End,
// Home, the arrows, Insert and Delete.
bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

// The virtual-key code that KeyDown and KeyUp report; 0 for keys without one here.
std::int16_t virtualKey(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::int16_t>(key); // same codes as the ASCII capitals and digits
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return 0;
    }
}

std::int16_t shiftState(Qt::KeyboardModifiers modifiers)
{
    return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                     (modifiers & Qt::ControlModifier ? 2 : 0) |
                                     (modifiers & Qt::AltModifier ? 4 : 0));
}

std::int16_t buttonState(Qt::MouseButtons buttons)
{
    return static_cast<std::int16_t>((buttons & Qt::LeftButton ? 1 : 0) |
                                     (buttons & Qt::RightButton ? 2 : 0) |
                                     (buttons & Qt::MiddleButton ? 4 : 0));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

ole::DispId idByName(std::span<const MemberInfo> members, std::string_view name)
{
    const auto it = std::ranges::find_if(members, [name](const MemberInfo &member) {
        return equalsIgnoringCase(member.name, name);
    });
    return it == members.end() ? ole::DISPID_UNKNOWN : it->id;
}

} // namespace

CQvControlBase::CQvControlBase(const ControlClassInfo &info)
    : m_info(info), m_fontIds{memberId("FontName"),       memberId("FontSize"),
                              memberId("FontBold"),       memberId("FontItalic"),
                              memberId("FontStrikethru"), memberId("FontUnderline")},
      m_mousePointerId(memberId("MousePointer")), m_mouseIconId(memberId("MouseIcon")),
      m_keyPressId(eventId("KeyPress")),
      m_captionId(info.stockMask & STOCK_CAPTION ? ole::DISPID_CAPTION
                  : info.stockMask & STOCK_TEXT  ? ole::DISPID_TEXT
                                                 : ole::DISPID_UNKNOWN)
{}

CQvControlBase::~CQvControlBase()
{
    close();
}

void CQvControlBase::close()
{
    if (m_font)
        m_font->setChangeHandler(nullptr);
    if (m_window)
        m_window->detach();
    m_window = nullptr;
}

void CQvControlBase::bindProperties(std::vector<BoundProperty> properties)
{
    m_bound = std::move(properties);
}

ole::DispId CQvControlBase::memberId(std::string_view name) const
{
    return idByName(m_info.typeLib->members, name);
}

ole::DispId CQvControlBase::eventId(std::string_view name) const
{
    return idByName(m_info.typeLib->events, name);
}

ole::DispId CQvControlBase::idOfName(std::string_view name)
{
    return memberId(name);
}

std::vector<ole::PropertyDescription> CQvControlBase::describeProperties() const
{
    using Kind = ole::PropertyDescription::Kind;
    std::vector<ole::PropertyDescription> properties;
    for (const MemberInfo &member : m_info.typeLib->members) {
        if (member.flags & (Method | ReadOnly | Hidden))
            continue;
        const Kind kind = member.type == ValueType::Color     ? Kind::Color
                          : member.type == ValueType::Font    ? Kind::Font
                          : member.type == ValueType::Picture ? Kind::Picture
                                                              : Kind::Other;
        properties.push_back({std::string(member.name), member.id, kind});
    }
    return properties;
}

std::vector<ole::Clsid> CQvControlBase::propertyPages() const
{
    return {m_info.propertyPages.begin(), m_info.propertyPages.end()};
}

bool CQvControlBase::declaresEvent(ole::DispId event) const
{
    return std::ranges::any_of(m_info.typeLib->events,
                               [event](const MemberInfo &member) { return member.id == event; });
}

// Automation access ---------------------------------------------------------------------------

ole::HRESULT CQvControlBase::getProperty(ole::DispId id, ole::Variant &result,
                                         ole::ExcepInfo *error)
{
    if (getStockProperty(id, result) || getFontSubProperty(id, result))
        return ole::S_OK;
    if (const BoundProperty *property = boundProperty(id)) {
        result = getBound(*property);
        return ole::S_OK;
    }
    return getControlProperty(id, result, error);
}

ole::HRESULT CQvControlBase::putProperty(ole::DispId id, const ole::Variant &value,
                                         ole::ExcepInfo *error)
{
    ole::HRESULT hr = ole::S_OK;
    if (putStockProperty(id, value, error, hr) || putFontSubProperty(id, value, error, hr))
        return hr;
    if (const BoundProperty *property = boundProperty(id))
        return putBound(*property, value, error);
    return putControlProperty(id, value, error);
}

ole::HRESULT CQvControlBase::invoke(ole::DispId id, std::span<ole::Variant> args,
                                    ole::Variant *result, ole::ExcepInfo *error)
{
    if (id != ole::DISPID_REFRESH && id != ole::DISPID_ABOUTBOX)
        return invokeControlMethod(id, args, result, error);
    if (!args.empty())
        return ole::DISP_E_BADPARAMCOUNT;
    if (id == ole::DISPID_ABOUTBOX)
        AboutBox();
    else if (m_window)
        m_window->repaint();
    return ole::S_OK;
}

ole::HRESULT CQvControlBase::getControlProperty(ole::DispId, ole::Variant &, ole::ExcepInfo *)
{
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQvControlBase::putControlProperty(ole::DispId, const ole::Variant &, ole::ExcepInfo *)
{
    return ole::DISP_E_MEMBERNOTFOUND;
}

ole::HRESULT CQvControlBase::invokeControlMethod(ole::DispId, std::span<ole::Variant>,
                                                 ole::Variant *, ole::ExcepInfo *)
{
    return ole::DISP_E_MEMBERNOTFOUND;
}

const BoundProperty *CQvControlBase::boundProperty(ole::DispId id) const
{
    const auto it = std::ranges::find(m_bound, id, &BoundProperty::id);
    return it == m_bound.end() ? nullptr : &*it;
}

ole::Variant CQvControlBase::getBound(const BoundProperty &property)
{
    return std::visit(
        [](auto *member) -> ole::Variant {
            using T = std::remove_pointer_t<decltype(member)>;
            if constexpr (std::is_same_v<T, Bool>)
                return static_cast<bool>(*member);
            else if constexpr (std::is_same_v<T, OLE_COLOR>)
                return static_cast<std::int32_t>(*member);
            else
                return *member;
        },
        property.member);
}

ole::HRESULT CQvControlBase::putBound(const BoundProperty &property, const ole::Variant &value,
                                      ole::ExcepInfo *error)
{
    if (auto *const *color = std::get_if<OLE_COLOR *>(&property.member)) {
        const auto number = ole::toLong(value);
        if (!number)
            return ole::DISP_E_TYPEMISMATCH;
        **color = static_cast<OLE_COLOR>(*number);
    } else {
        // BOOLs are checked as numbers too: true given as a BOOL is -1.
        const auto *truth = std::get_if<bool>(&value);
        const auto number =
            truth ? std::optional<std::int16_t>(*truth ? -1 : 0) : ole::toShort(value);
        if (!number)
            return ole::DISP_E_TYPEMISMATCH;
        if (*number < property.low || *number > property.high)
            return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
        if (auto *const *flag = std::get_if<Bool *>(&property.member))
            **flag = property.storesTruth ? Bool::fromTruth(*number != 0)
                                          : Bool::fromVariant(*number != 0);
        else
            *std::get<std::int16_t *>(property.member) = *number;
    }
    NotifyPropertyChanged(property.notifyAs.value_or(property.id), property.effects);
    return ole::S_OK;
}

bool CQvControlBase::getStockProperty(ole::DispId id, ole::Variant &result)
{
    if (id == ole::DISPID_UNKNOWN)
        return false;
    if (id == ole::DISPID_BACKCOLOR || id == ole::DISPID_FORECOLOR) {
        result = static_cast<std::int32_t>(id == ole::DISPID_BACKCOLOR ? m_backColor : m_foreColor);
    } else if (id == ole::DISPID_FONT) {
        result = ole::DispatchPtr(m_font);
    } else if (id == ole::DISPID_ENABLED) {
        result = static_cast<bool>(m_enabled);
    } else if (id == ole::DISPID_HWND) {
        result = std::int32_t{0}; // there are no native window handles here
    } else if (id == m_captionId) {
        result = m_caption;
    } else if (id == m_mousePointerId) {
        result = m_mousePointer;
    } else if (id == m_mouseIconId) {
        // Reading an unset icon gives an empty picture to work with; the control still holds
        // none, so that what it saves does not change by being read.
        result = ole::DispatchPtr(m_mouseIcon ? m_mouseIcon : std::make_shared<ole::StdPicture>());
    } else {
        return false;
    }
    return true;
}

bool CQvControlBase::putStockProperty(ole::DispId id, const ole::Variant &value,
                                      ole::ExcepInfo *error, ole::HRESULT &hr)
{
    if (id == ole::DISPID_UNKNOWN)
        return false;
    if (id == ole::DISPID_BACKCOLOR || id == ole::DISPID_FORECOLOR) {
        hr = putColor(id, value, error);
    } else if (id == ole::DISPID_FONT) {
        const auto object = ole::toDispatch(value);
        const auto font = object ? std::dynamic_pointer_cast<ole::StdFont>(*object) : nullptr;
        if (!object || (*object && !font)) {
            hr = ole::DISP_E_TYPEMISMATCH;
            return true;
        }
        // The control keeps its own copy, as a font set on several controls must not tie them.
        setFont(font ? font->clone() : nullptr);
        m_fontIsAmbient = false;
        NotifyPropertyChanged(ole::DISPID_FONT);
        hr = ole::S_OK;
    } else if (id == ole::DISPID_ENABLED) {
        const auto enabled = ole::toBool(value);
        if (!enabled) {
            hr = ole::DISP_E_TYPEMISMATCH;
        } else if (m_site && !m_site->requestEdit(id)) {
            hr = RaiseControlError(ERROR_SET_NOT_PERMITTED, error);
        } else {
            m_enabled = Bool::fromTruth(*enabled);
            applyWindowState();
            NotifyPropertyChanged(id);
            hr = ole::S_OK;
        }
    } else if (id == ole::DISPID_HWND) {
        hr = RaiseControlError(ERROR_READ_ONLY, error);
    } else if (id == m_captionId) {
        auto text = ole::toString(value);
        if (!text) {
            hr = ole::DISP_E_TYPEMISMATCH;
            return true;
        }
        m_caption = std::move(*text);
        NotifyPropertyChanged(id);
        hr = ole::S_OK;
    } else if (id == m_mousePointerId) {
        hr = putMousePointer(value, error);
    } else if (id == m_mouseIconId) {
        hr = putMouseIcon(value, error);
    } else {
        return false;
    }
    return true;
}

ole::HRESULT CQvControlBase::putColor(ole::DispId id, const ole::Variant &value,
                                      ole::ExcepInfo *error)
{
    const auto color = ole::toLong(value);
    if (!color)
        return ole::DISP_E_TYPEMISMATCH;
    if (m_site && !m_site->requestEdit(id))
        return RaiseControlError(ERROR_SET_NOT_PERMITTED, error);
    (id == ole::DISPID_BACKCOLOR ? m_backColor : m_foreColor) = static_cast<OLE_COLOR>(*color);
    NotifyPropertyChanged(id);
    return ole::S_OK;
}

ole::HRESULT CQvControlBase::putMousePointer(const ole::Variant &value, ole::ExcepInfo *error)
{
    const auto pointer = ole::toShort(value);
    if (!pointer)
        return ole::DISP_E_TYPEMISMATCH;
    if (!validMousePointer(*pointer))
        return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
    m_mousePointer = *pointer;
    applyCursor();
    NotifyPropertyChanged(m_mousePointerId);
    return ole::S_OK;
}

ole::HRESULT CQvControlBase::putMouseIcon(const ole::Variant &value, ole::ExcepInfo *error)
{
    const auto object = ole::toDispatch(value);
    const auto picture = object ? std::dynamic_pointer_cast<ole::StdPicture>(*object) : nullptr;
    if (!object || (*object && !picture))
        return ole::DISP_E_TYPEMISMATCH;
    if (picture && picture->type() != ole::StdPicture::Type::None &&
        picture->type() != ole::StdPicture::Type::Uninitialized &&
        picture->type() != ole::StdPicture::Type::Icon)
        return RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
    m_mouseIcon = picture;
    applyCursor();
    NotifyPropertyChanged(m_mouseIconId);
    return ole::S_OK;
}

bool CQvControlBase::getFontSubProperty(ole::DispId id, ole::Variant &result) const
{
    const auto &ids = m_fontIds;
    if (id == ole::DISPID_UNKNOWN ||
        (id != ids.name && id != ids.size && id != ids.bold && id != ids.italic &&
         id != ids.strikethru && id != ids.underline))
        return false;
    if (id == ids.name)
        result = m_font ? m_font->name() : std::string();
    else if (id == ids.size)
        result = m_font ? static_cast<float>(m_font->size().value / 10000.0) : 0.0f;
    else
        result = m_font && (id == ids.bold         ? m_font->bold()
                            : id == ids.italic     ? m_font->italic()
                            : id == ids.strikethru ? m_font->strikethrough()
                                                   : m_font->underline());
    return true;
}

bool CQvControlBase::putFontSubProperty(ole::DispId id, const ole::Variant &value,
                                        ole::ExcepInfo *error, ole::HRESULT &hr)
{
    const auto &ids = m_fontIds;
    ole::DispId fontMember = ole::DISPID_UNKNOWN;
    ole::Variant fontValue = value;
    if (id == ole::DISPID_UNKNOWN) {
        return false;
    } else if (id == ids.name) {
        fontMember = ole::StdFont::DISPID_NAME;
    } else if (id == ids.size) {
        const auto points = ole::toFloat(value);
        if (!points) {
            hr = ole::DISP_E_TYPEMISMATCH;
            return true;
        }
        fontMember = ole::StdFont::DISPID_SIZE;
        fontValue = ole::Currency{static_cast<std::int64_t>(std::llround(*points * 10000.0))};
    } else if (id == ids.bold) {
        fontMember = ole::StdFont::DISPID_BOLD;
    } else if (id == ids.italic) {
        fontMember = ole::StdFont::DISPID_ITALIC;
    } else if (id == ids.strikethru) {
        fontMember = ole::StdFont::DISPID_STRIKETHROUGH;
    } else if (id == ids.underline) {
        fontMember = ole::StdFont::DISPID_UNDERLINE;
    } else {
        return false;
    }
    if (!m_font) {
        hr = ole::S_OK;
        return true;
    }
    // The change is told under the sub-property's own identifier only, not as a Font change.
    m_font->setChangeHandler(nullptr);
    hr = m_font->putProperty(fontMember, fontValue);
    setFont(m_font);
    if (hr == ole::E_INVALIDARG)
        hr = RaiseControlError(ERROR_INVALID_PROPERTY_VALUE, error);
    if (ole::succeeded(hr)) {
        m_fontIsAmbient = false;
        NotifyPropertyChanged(id);
    }
    return true;
}

void CQvControlBase::setFont(std::shared_ptr<ole::StdFont> font)
{
    if (m_font)
        m_font->setChangeHandler(nullptr);
    m_font = std::move(font);
    if (m_font)
        m_font->setChangeHandler([this](ole::DispId) {
            m_fontIsAmbient = false;
            NotifyPropertyChanged(ole::DISPID_FONT);
        });
}

std::shared_ptr<ole::StdFont> CQvControlBase::defaultFont() const
{
    if (m_site) {
        const auto ambient = ole::toDispatch(m_site->ambientProperty(ole::DISPID_AMBIENT_FONT));
        if (const auto font = std::dynamic_pointer_cast<ole::StdFont>(ambient.value_or(nullptr)))
            return font->clone();
    }
    return std::make_shared<ole::StdFont>();
}

QFont CQvControlBase::drawingFont(const QPaintDevice &device) const
{
    if (!m_font)
        return m_window ? m_window->font() : QFont();
    return m_font->toQFont(device.logicalDpiY());
}

std::string CQvControlBase::ambientDisplayName() const
{
    if (!m_site)
        return {};
    return ole::toString(m_site->ambientProperty(ole::DISPID_AMBIENT_DISPLAYNAME))
        .value_or(std::string());
}

void CQvControlBase::NotifyPropertyChanged(ole::DispId dispid, unsigned effects)
{
    if (effects & MarkModified)
        m_modified = true;
    if (m_window) {
        applyColors();
        applyWindowState();
        propertiesApplied();
        if (effects & Repaint)
            m_window->update();
    }
    if ((effects & TellContainer) && dispid != 0 && m_site)
        m_site->propertyChanged(dispid);
}

bool CQvControlBase::requestEdit(ole::DispId id) const
{
    return !m_site || m_site->requestEdit(id);
}

std::string CQvControlBase::formatValue(const ole::Variant &value, std::string_view format) const
{
    return m_site ? m_site->formatValue(value, format) : std::string();
}

ole::HRESULT CQvControlBase::RaiseControlError(std::uint32_t number, ole::ExcepInfo *error) const
{
    if (error) {
        const auto text = m_errorTexts.text(number);
        error->scode = static_cast<ole::HRESULT>(kAutomationErrorBase |
                                                 (text ? number : ERROR_FILE_NOT_FOUND));
        error->source = std::string(m_info.progId);
        error->description = text ? *text : std::string("QVLOCALE.DLL Not Found");
        error->helpContext = kNoHelpContext;
    }
    return ole::DISP_E_EXCEPTION;
}

void CQvControlBase::AboutBox()
{
    if (aboutBoxesOpen > 0)
        return;
    ++aboutBoxesOpen;
    const std::weak_ptr<int> alive = m_lifetime;
    ole::ControlSite *site = m_site;
    qvrun32::CQvAboutDlg dialog(m_window);
    if (site)
        site->modalDialog(true);
    dialog.DoModal();
    // The control may have gone while the box was up; its container may not have.
    if (!alive.expired() && m_site)
        m_site->modalDialog(false);
    --aboutBoxesOpen;
}

// Persistence ---------------------------------------------------------------------------------

void CQvControlBase::setClientSite(ole::ControlSite *site)
{
    m_site = site;
    ambientPropertyChanged(ole::DISPID_AMBIENT_USERMODE);
}

void CQvControlBase::ambientPropertyChanged(ole::DispId id)
{
    const bool all = id == ole::DISPID_UNKNOWN;
    if (all || id == ole::DISPID_AMBIENT_USERMODE) {
        const auto mode = m_site
                              ? ole::toBool(m_site->ambientProperty(ole::DISPID_AMBIENT_USERMODE))
                              : std::nullopt;
        // A container that does not say is taken to be running its windows.
        m_userMode = mode.value_or(true);
    }
    if ((all || id == ole::DISPID_AMBIENT_FONT) && m_fontIsAmbient && m_font)
        setFont(defaultFont());
    if (m_window) {
        propertiesApplied();
        m_window->update();
    }
}

void CQvControlBase::resetStockProperties()
{
    m_backColor = systemColor(COLOR_BTNFACE);
    m_foreColor = systemColor(COLOR_BTNTEXT);
    setFont(defaultFont());
    m_fontIsAmbient = true;
    m_enabled = Bool::fromTruth(true);
    m_caption = m_captionId == ole::DISPID_CAPTION ? ambientDisplayName() : std::string();
    m_mousePointer = 0;
    m_mouseIcon = nullptr;
}

ole::HRESULT CQvControlBase::initNew()
{
    resetStockProperties();
    resetProperties();
    propertiesLoaded();
    m_modified = false;
    refreshWindow();
    return ole::S_OK;
}

void CQvControlBase::exchangeStockProperties(PropertyExchange &exchange, std::uint32_t mask)
{
    if (mask & STOCK_CAPTION)
        exchange.exchange(m_caption);
    if (mask & STOCK_TEXT)
        exchange.exchange(m_caption);
    if (mask & STOCK_FORECOLOR)
        exchange.exchange(m_foreColor);
    if (mask & STOCK_BACKCOLOR)
        exchange.exchange(m_backColor);
    if (mask & STOCK_FONT) {
        // The container's font is saved as the default, not as a copy of itself.
        auto font = m_fontIsAmbient && !exchange.isLoading() ? nullptr : m_font;
        exchange.exchange(font);
        if (exchange.isLoading())
            m_font = std::move(font);
    }
    if (mask & STOCK_ENABLED)
        exchange.exchange(m_enabled);
}

void CQvControlBase::exchangeMousePointer(PropertyExchange &exchange)
{
    exchange.exchange(m_mousePointer);
}

void CQvControlBase::exchangeMouseIcon(PropertyExchange &exchange)
{
    exchange.exchangeIcon(m_mouseIcon);
}

ole::HRESULT CQvControlBase::exchangeStream(PropertyExchange &exchange)
{
    // Saving writes these; loading reads them over.
    std::uint32_t version = kStreamVersion;
    std::uint32_t mask = m_info.stockMask;
    exchange.exchangeHeader(version);
    if (exchange.ok() && version >> 16 != kStreamVersion >> 16)
        return ole::E_FAIL;
    exchange.exchange(m_extentWidth);
    exchange.exchange(m_extentHeight);
    exchange.exchangeHeader(mask);
    // Stock fields this layer does not know have no known place: nothing after them is safe.
    if (exchange.ok() && (mask & ~kKnownStockBits) != 0)
        return ole::E_FAIL;
    exchangeStockProperties(exchange, mask);
    exchangeProperties(exchange);
    return exchange.ok() ? ole::S_OK : ole::STG_E_READFAULT;
}

ole::HRESULT CQvControlBase::load(std::span<const std::uint8_t> stream)
{
    // Everything is read and checked first; only a complete stream replaces the properties.
    auto check = PropertyExchange::forChecking(stream);
    if (const ole::HRESULT hr = exchangeStream(check); ole::failed(hr))
        return hr;

    // What the stream does not hold keeps the value of a new control.
    resetStockProperties();
    resetProperties();
    auto exchange = PropertyExchange::forLoading(stream);
    exchangeStream(exchange);
    // A font saved as the default one is the container's font again.
    m_fontIsAmbient = m_font == nullptr;
    setFont(m_font ? m_font : defaultFont());
    propertiesLoaded();
    m_modified = false;
    refreshWindow();
    return ole::S_OK;
}

ole::HRESULT CQvControlBase::save(std::vector<std::uint8_t> &stream)
{
    std::vector<std::uint8_t> bytes;
    auto exchange = PropertyExchange::forSaving(bytes);
    if (ole::failed(exchangeStream(exchange)))
        return ole::E_FAIL;
    stream = std::move(bytes);
    m_modified = false;
    return ole::S_OK;
}

// The window -----------------------------------------------------------------------------------

QWidget *CQvControlBase::createWindow(QWidget *parent, const QRect &geometry)
{
    if (m_window) {
        // The old window may be inside one of its own events: it goes once they are over.
        m_window->detach();
        m_window->hide();
        m_window->deleteLater();
    }
    m_window = new ControlWindow(*this, parent);
    m_window->setGeometry(geometry);
    const bool keyboard = declaresEvent(ole::DISPID_KEYDOWN) || declaresEvent(m_keyPressId) ||
                          declaresEvent(ole::DISPID_KEYUP);
    m_window->setFocusPolicy(keyboard ? Qt::StrongFocus : Qt::NoFocus);
    m_window->setMouseTracking(declaresEvent(ole::DISPID_MOUSEMOVE));
    windowResized();
    applyColors();
    applyCursor();
    applyWindowState();
    windowCreated();
    m_window->show();
    return m_window;
}

void CQvControlBase::recreateWindow()
{
    if (!m_window)
        return;
    QWidget *parent = m_window->parentWidget();
    const QRect geometry = m_window->geometry();
    const bool hidden = m_window->isHidden();
    createWindow(parent, geometry);
    m_window->setHidden(hidden);
}

void CQvControlBase::refreshWindow()
{
    if (!m_window)
        return;
    applyColors();
    applyCursor();
    applyWindowState();
    propertiesApplied();
    m_window->update();
}

QWidget *CQvControlBase::window() const
{
    return m_window;
}

void CQvControlBase::paint(QPainter &painter, const QRect &bounds)
{
    painter.setFont(drawingFont(*painter.device()));
    onDraw(painter, bounds);
}

void CQvControlBase::windowResized()
{
    m_extentWidth = ole::PixelsToHimetric(m_window->width(), m_window->logicalDpiX());
    m_extentHeight = ole::PixelsToHimetric(m_window->height(), m_window->logicalDpiY());
}

void CQvControlBase::applyColors()
{
    if (!m_window)
        return;
    // Child windows (an edit field, a button) take their colours from the palette they
    // inherit, as a subclassed system window asks its parent for a brush.
    const auto [backColor, foreColor] = childColors();
    const QColor back = toQColor(translateColor(backColor));
    const QColor fore = toQColor(translateColor(foreColor));
    QPalette palette = m_window->palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, back);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, fore);
    m_window->setPalette(palette);
}

std::pair<OLE_COLOR, OLE_COLOR> CQvControlBase::childColors() const
{
    return {m_backColor, m_foreColor};
}

void CQvControlBase::applyCursor()
{
    if (!m_window)
        return;
    // Qt shows a cursor set on the widget at once when the pointer is over it.
    if (m_mousePointer >= 1 && m_mousePointer <= 15) {
        m_window->setCursor(kPointerShapes[static_cast<std::size_t>(m_mousePointer - 1)]);
    } else if (m_mousePointer == kCustomPointer && m_mouseIcon &&
               m_mouseIcon->type() == ole::StdPicture::Type::Icon) {
        // An icon's hot spot is its centre, which is where QCursor puts it by default.
        m_window->setCursor(QCursor(QPixmap::fromImage(m_mouseIcon->image())));
    } else {
        m_window->unsetCursor();
    }
}

void CQvControlBase::applyWindowState()
{
    if (m_window)
        m_window->setEnabled(enabled());
}

bool CQvControlBase::fireEvent(ole::DispId event, std::span<ole::Variant> args)
{
    const std::weak_ptr<int> alive = m_lifetime;
    if (m_site && declaresEvent(event))
        m_site->fireEvent(event, args);
    return !alive.expired();
}

bool CQvControlBase::windowEvent(QEvent *)
{
    return false;
}

void CQvControlBase::performClick()
{
    fireEvent(ole::DISPID_CLICK, {});
}

bool CQvControlBase::acceptsCharacter(std::int16_t) const
{
    return true;
}

void CQvControlBase::routeInput(QWidget *child)
{
    if (m_window)
        m_window->routeInputOf(child);
}

bool CQvControlBase::handleInput(QEvent *event, QWidget *receiver)
{
    // Qt hands a disabled child window its mouse input and leaves ignoring it to QWidget::event:
    // a disabled control takes no input at all, as a disabled window should not.
    if (event->isInputEvent() && !m_window->isEnabled())
        return false;
    // The control itself sees every event of its window first; a handler it runs may destroy it.
    const std::weak_ptr<int> alive = m_lifetime;
    const bool own = receiver == m_window;
    if (own && (windowEvent(event) || alive.expired()))
        return true;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Navigation keys go to the control, not to the dialog's accelerators.
        auto *key = static_cast<QKeyEvent *>(event);
        if (!isNavigationKey(key->key()))
            return false;
        key->accept();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return handleKey(static_cast<QKeyEvent *>(event), receiver);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        // A child keeps its mouse input, unless a handler took the control away meanwhile.
        handleMouse(static_cast<QMouseEvent *>(event), receiver);
        return own || alive.expired();
    case QEvent::ApplicationPaletteChange:
        // System colours follow the application's palette.
        applyColors();
        return false;
    default:
        return false;
    }
}

bool CQvControlBase::handleKey(QKeyEvent *key, QWidget *receiver)
{
    const bool down = key->type() == QEvent::KeyPress;
    if (m_retyping || (!down && key->isAutoRepeat()))
        return false;
    const std::int16_t code = virtualKey(key->key());
    ole::Variant args[] = {code, shiftState(key->modifiers())};
    if (!fireEvent(down ? ole::DISPID_KEYDOWN : ole::DISPID_KEYUP, args))
        return true;
    // A handler that set KeyCode to 0 swallowed the key.
    if (code != 0 && ole::toShort(args[0]).value_or(0) == 0)
        return true;
    const std::string typed = text::toAnsi(key->text());
    if (!down || typed.size() != 1)
        return false;
    const auto ascii = static_cast<std::int16_t>(static_cast<unsigned char>(typed[0]));
    ole::Variant keyAscii[] = {ascii};
    if (!fireEvent(m_keyPressId, keyAscii))
        return true;
    const std::int16_t changed = ole::toShort(keyAscii[0]).value_or(0);
    if (changed == 0 || !acceptsCharacter(changed))
        return true;
    if (changed != ascii) {
        // The handler typed another character instead: the window receives that one.
        QKeyEvent retyped(QEvent::KeyPress, key->key(), key->modifiers(),
                          text::fromAnsi(std::string(1, static_cast<char>(changed))));
        // What the window does with it may end the control (a change it reports).
        const std::weak_ptr<int> alive = m_lifetime;
        m_retyping = true;
        QCoreApplication::sendEvent(receiver, &retyped);
        if (!alive.expired())
            m_retyping = false;
        return true;
    }
    return false;
}

void CQvControlBase::handleMouse(QMouseEvent *mouse, QWidget *receiver)
{
    const QPoint at = receiver->mapTo(m_window, mouse->position().toPoint());
    const auto type = mouse->type();
    // Down and up report the button that changed, a move the buttons held.
    const Qt::MouseButtons buttons =
        type == QEvent::MouseMove ? mouse->buttons() : Qt::MouseButtons(mouse->button());
    ole::Variant args[] = {buttonState(buttons), shiftState(mouse->modifiers()),
                           std::int32_t{at.x()}, std::int32_t{at.y()}};
    if (type == QEvent::MouseButtonDblClick) {
        if (fireEvent(ole::DISPID_DBLCLICK, {}))
            fireEvent(ole::DISPID_MOUSEDOWN, args);
    } else if (type == QEvent::MouseButtonPress) {
        fireEvent(ole::DISPID_MOUSEDOWN, args);
    } else if (type == QEvent::MouseMove) {
        fireEvent(ole::DISPID_MOUSEMOVE, args);
    } else if (fireEvent(ole::DISPID_MOUSEUP, args) && mouse->button() == Qt::LeftButton &&
               m_window && m_window->rect().contains(at)) {
        performClick();
    }
}

} // namespace qv
