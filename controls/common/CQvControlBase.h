#pragma once

#include "controls/common/Bool.h"
#include "controls/common/Colors.h"
#include "controls/common/ErrorTextLibrary.h"
#include "controls/common/TypeInfo.h"
#include "platform/ole/Control.h"

#include <QPointer>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class QEvent;
class QFont;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QPaintDevice;

namespace ole {
class StdFont;
class StdPicture;
} // namespace ole

namespace qv {

class ControlWindow;
class PropertyExchange;

// What a control class tells the shared layer about itself.
struct ControlClassInfo {
    ole::Clsid clsid;
    std::string_view progId;
    std::string_view typeName;
    // The stock properties its stream holds: 0x01 BackColor, 0x02 Caption, 0x04 Font,
    // 0x08 ForeColor, 0x10 Text, 0x40 Enabled.
    std::uint32_t stockMask;
    const TypeLibInfo *typeLib;
    // Its own property pages, then the stock ones it shows.
    std::span<const ole::Clsid> propertyPages = {};
};

// Stock-property bits of the persisted stream.
enum StockMask : std::uint32_t {
    STOCK_BACKCOLOR = 0x01,
    STOCK_CAPTION = 0x02,
    STOCK_FONT = 0x04,
    STOCK_FORECOLOR = 0x08,
    STOCK_TEXT = 0x10,
    STOCK_BORDERSTYLE = 0x20,
    STOCK_ENABLED = 0x40,
};

// What a property change does besides storing the value (NotifyPropertyChanged).
enum ChangeEffects : unsigned {
    MarkModified = 0x1,
    Repaint = 0x2,
    TellContainer = 0x4,
    AllChanges = MarkModified | Repaint | TellContainer,
};

// A property held in a member of the control, whose get, put, range check and change effects
// the shared layer does for it: BOOLs, shorts (enumerations included) and colours. A put
// coerces the value, raises error 380 outside [low, high] (a BOOL is checked as the number
// given, true being -1), stores it and ends with NotifyPropertyChanged(notifyAs, effects).
struct BoundProperty {
    ole::DispId id;
    std::variant<Bool *, std::int16_t *, OLE_COLOR *> member;
    std::int16_t low = std::numeric_limits<std::int16_t>::min();
    std::int16_t high = std::numeric_limits<std::int16_t>::max();
    // How a BOOL stores true: as automation gives it (-1) or as its truth (1).
    bool storesTruth = false;
    unsigned effects = AllChanges;
    // The identifier the container is told of; the property's own when unset.
    std::optional<ole::DispId> notifyAs = std::nullopt;
};

// The layer every display control shares: automation access to the stock properties (colours,
// font, enabled, window handle, caption or text), the Refresh and AboutBox methods, the stock
// events raised from the control's window, the font sub-properties, MousePointer and MouseIcon,
// the persisted stream with its stock part, error raising with texts from the error-text
// library, and design or run mode from the container.
//
// A control class derives from it, describes itself with a ControlClassInfo (its type table
// names the members; FontName, FontSize, FontBold, FontItalic, FontStrikethru, FontUnderline,
// MousePointer and MouseIcon are served here under the identifiers the table gives them), and
// provides its own properties, its persisted fields and its drawing. The stock Caption (or
// Text) is served here only when the class's stock mask persists it; otherwise the control keeps
// it among its own properties.
class CQvControlBase : public ole::Control {
public:
    static constexpr std::uint32_t kStreamVersion = 0x00010000;
    static constexpr std::uint32_t ERROR_OUT_OF_MEMORY = 7;
    static constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 53;
    static constexpr std::uint32_t ERROR_INVALID_PROPERTY_VALUE = 380;
    static constexpr std::uint32_t ERROR_READ_ONLY = 383;
    static constexpr std::uint32_t ERROR_SET_NOT_PERMITTED = 387;

    explicit CQvControlBase(const ControlClassInfo &info);
    ~CQvControlBase() override;
    CQvControlBase(const CQvControlBase &) = delete;
    CQvControlBase &operator=(const CQvControlBase &) = delete;

    ole::HRESULT getProperty(ole::DispId id, ole::Variant &result,
                             ole::ExcepInfo *error = nullptr) final;
    ole::HRESULT putProperty(ole::DispId id, const ole::Variant &value,
                             ole::ExcepInfo *error = nullptr) final;
    ole::HRESULT invoke(ole::DispId id, std::span<ole::Variant> args,
                        ole::Variant *result = nullptr, ole::ExcepInfo *error = nullptr) final;
    ole::DispId idOfName(std::string_view name) final;
    std::vector<ole::PropertyDescription> describeProperties() const final;

    void setClientSite(ole::ControlSite *site) final;
    ole::HRESULT initNew() final;
    ole::HRESULT load(std::span<const std::uint8_t> stream) final;
    ole::HRESULT save(std::vector<std::uint8_t> &stream) final;
    QWidget *createWindow(QWidget *parent, const QRect &geometry) final;
    QWidget *window() const final;
    void ambientPropertyChanged(ole::DispId id) final;
    std::vector<ole::Clsid> propertyPages() const final;
    // Detaches the window before the control goes: a window event arriving while the derived
    // control is being destroyed must not reach it.
    void close() final;

    // By default marks the control modified, repaints it, and tells the container that property
    // `dispid` changed (unless it is 0); `effects` chooses which of these happen.
    void NotifyPropertyChanged(ole::DispId dispid, unsigned effects = AllChanges);
    // Fills `error` with automation error 0x800A0000 | number and its text, and returns
    // DISP_E_EXCEPTION for the caller to pass on. Without the error-text library: error 53,
    // "QVLOCALE.DLL Not Found".
    ole::HRESULT RaiseControlError(std::uint32_t number, ole::ExcepInfo *error) const;
    // Shows the controls' About box, modal, telling the container around it.
    void AboutBox();

    bool isModified() const { return m_modified; }
    // The container's user mode: true in run mode, false in design mode.
    bool userMode() const { return m_userMode; }

protected:
    // Lists the properties the shared layer serves from the control's members; called once from
    // the control's constructor.
    void bindProperties(std::vector<BoundProperty> properties);

    // The control's own properties and methods, for identifiers the shared layer does not
    // serve. DISP_E_MEMBERNOTFOUND for unknown ones.
    virtual ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                            ole::ExcepInfo *error);
    virtual ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                            ole::ExcepInfo *error);
    virtual ole::HRESULT invokeControlMethod(ole::DispId id, std::span<ole::Variant> args,
                                             ole::Variant *result, ole::ExcepInfo *error);
    // Gives the control's own properties their values for a new control.
    virtual void resetProperties() = 0;
    // The control's own persisted fields, in their order, both ways. MousePointer and MouseIcon
    // go where the control's order has them, through exchangeMousePointer/exchangeMouseIcon.
    virtual void exchangeProperties(PropertyExchange &exchange) = 0;
    // After a reset or a load, for state derived from the properties.
    virtual void propertiesLoaded() {}
    // Paints the control into `bounds` of its window.
    virtual void onDraw(QPainter &painter, const QRect &bounds) = 0;
    // Every event of the window before the shared layer's handling (which raises the stock
    // events): input, focus, timers, posted events. True when the control consumed it.
    virtual bool windowEvent(QEvent *event);
    // The window was created (or created again) and shows the current properties.
    virtual void windowCreated() {}
    // The window was clicked: the left button went down and came up inside it. Fires Click; a
    // control that does more around its Click overrides it.
    virtual void performClick();
    // The background and text colours that child windows of the control's window take:
    // BackColor and ForeColor unless the control answers its children otherwise.
    virtual std::pair<OLE_COLOR, OLE_COLOR> childColors() const;
    // May the window receive the character `keyAscii`, which KeyPress has let through? A control
    // that drops some characters says no, and the key goes nowhere.
    virtual bool acceptsCharacter(std::int16_t keyAscii) const;
    // The window was brought up to date with the properties: after a change, a load, or a change
    // of the container's ambient properties. A control with windows of its own inside its window
    // updates them here.
    virtual void propertiesApplied() {}

    // Fires `event` when the control declares it; false when the control went away meanwhile.
    // Arguments passed by reference come back as the handler left them.
    bool fireEvent(ole::DispId event, std::span<ole::Variant> args);
    // Creates the window again in the same place, e.g. after a load changed its style.
    void recreateWindow();
    // `child`, a window inside the control's window that takes input itself (an edit field),
    // raises the control's stock events as the control's own window does: keys before the child
    // sees them (a key a handler swallows never reaches it), mouse input at its position in the
    // control's window. From then on the control's window takes no keys of its own: those that
    // reach it were let through by the child.
    void routeInput(QWidget *child);
    // May the container's bound property `id` change now? True without a container.
    bool requestEdit(ole::DispId id) const;
    // The container's formatting service: `value` formatted by `format`; empty when the
    // container offers none.
    std::string formatValue(const ole::Variant &value, std::string_view format) const;

    void exchangeMousePointer(PropertyExchange &exchange);
    void exchangeMouseIcon(PropertyExchange &exchange);

    OLE_COLOR backColor() const { return m_backColor; }
    OLE_COLOR foreColor() const { return m_foreColor; }
    bool enabled() const { return static_cast<bool>(m_enabled); }
    const std::string &caption() const { return m_caption; }
    // The control's font; null when it has none.
    const std::shared_ptr<ole::StdFont> &font() const { return m_font; }
    // The font to draw with on `device`: the control's font, else the device's default.
    QFont drawingFont(const QPaintDevice &device) const;
    // The container's name for the control.
    std::string ambientDisplayName() const;

private:
    friend class ControlWindow;
    // Asks the container for leave to change the caption and for its formatting.
    friend class FormattedCaption;

    struct FontSubProperties {
        ole::DispId name, size, bold, italic, strikethru, underline;
    };

    // Stock members; false when `id` is none of them.
    bool getStockProperty(ole::DispId id, ole::Variant &result);
    bool putStockProperty(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error,
                          ole::HRESULT &hr);
    const BoundProperty *boundProperty(ole::DispId id) const;
    static ole::Variant getBound(const BoundProperty &property);
    ole::HRESULT putBound(const BoundProperty &property, const ole::Variant &value,
                          ole::ExcepInfo *error);
    bool getFontSubProperty(ole::DispId id, ole::Variant &result) const;
    bool putFontSubProperty(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error,
                            ole::HRESULT &hr);
    ole::HRESULT putColor(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error);
    ole::HRESULT putMousePointer(const ole::Variant &value, ole::ExcepInfo *error);
    ole::HRESULT putMouseIcon(const ole::Variant &value, ole::ExcepInfo *error);
    void exchangeStockProperties(PropertyExchange &exchange, std::uint32_t mask);
    // The whole stream, header and stock part first, in either direction.
    ole::HRESULT exchangeStream(PropertyExchange &exchange);
    void resetStockProperties();
    void setFont(std::shared_ptr<ole::StdFont> font);
    std::shared_ptr<ole::StdFont> defaultFont() const;
    bool declaresEvent(ole::DispId event) const;
    ole::DispId memberId(std::string_view name) const;
    ole::DispId eventId(std::string_view name) const;

    // Called by the control's window.
    void paint(QPainter &painter, const QRect &bounds);
    // Raises the stock events for the mouse and keyboard input that `receiver` (the window or a
    // child routed to it) gets; true when the input is consumed.
    bool handleInput(QEvent *event, QWidget *receiver);
    void windowResized();
    // Raises KeyDown, KeyPress and KeyUp; true when a handler swallowed the key.
    bool handleKey(QKeyEvent *key, QWidget *receiver);
    void handleMouse(QMouseEvent *mouse, QWidget *receiver);
    // The window follows the properties: colours, cursor, enabled state, a repaint.
    void refreshWindow();
    // The palette of the window and its children from the translated colours.
    void applyColors();
    void applyCursor();
    void applyWindowState();

    const ControlClassInfo &m_info;
    FontSubProperties m_fontIds;
    ole::DispId m_mousePointerId;
    ole::DispId m_mouseIconId;
    // KeyPress as the control's events name it; a control may give it its own identifier.
    ole::DispId m_keyPressId;
    ole::DispId m_captionId; // DISPID_CAPTION, DISPID_TEXT or none
    std::vector<BoundProperty> m_bound;
    ErrorTextLibrary m_errorTexts;
    ole::ControlSite *m_site = nullptr;
    QPointer<ControlWindow> m_window;
    // Expires with the control, so code running after an event can tell that its handler
    // destroyed the control.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
    bool m_userMode = true;
    bool m_modified = false;
    bool m_retyping = false; // a key event the control sends itself after KeyPress changed it
    std::int32_t m_extentWidth = 0; // HIMETRIC
    std::int32_t m_extentHeight = 0;

    OLE_COLOR m_backColor = systemColor(COLOR_BTNFACE);
    OLE_COLOR m_foreColor = systemColor(COLOR_BTNTEXT);
    std::shared_ptr<ole::StdFont> m_font;
    // The font is the container's: saved as "default", and it follows the container's font.
    bool m_fontIsAmbient = true;
    Bool m_enabled = Bool::fromTruth(true);
    std::string m_caption;
    std::int16_t m_mousePointer = 0;
    std::shared_ptr<ole::StdPicture> m_mouseIcon;
};

} // namespace qv
