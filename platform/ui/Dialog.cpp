#include "platform/ui/Dialog.h"

#include "platform/text/Ansi.h"
#include "platform/ui/DialogUnits.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <string_view>

namespace ui {

namespace {

bool hasStyle(const std::vector<std::string> &styles, std::string_view style)
{
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

Qt::WindowFlags windowFlagsFor(const std::vector<std::string> &styles)
{
    // A child dialog (a property page) lies inside another window.
    if (hasStyle(styles, "WS_CHILD"))
        return Qt::Widget;
    // A window shown in the task bar is a window of its own; any other one belongs to its owner.
    Qt::WindowFlags flags = hasStyle(styles, "WS_EX_APPWINDOW") ? Qt::Window : Qt::Dialog;
    if (!hasStyle(styles, "WS_CAPTION")) {
        flags |= Qt::FramelessWindowHint;
    } else {
        // Only the buttons the styles ask for: never maximise or context help.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (hasStyle(styles, "WS_SYSMENU"))
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (hasStyle(styles, "WS_MINIMIZEBOX"))
            flags |= Qt::WindowMinimizeButtonHint;
    }
    if (hasStyle(styles, "WS_EX_TOPMOST"))
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

Dialog::Dialog(DialogTemplate dialogTemplate, QWidget *parent)
    : QDialog(parent), m_template(std::move(dialogTemplate)), m_controls(this)
{
    m_controls.setEventHandler(
        [this](int controlId, ole::DispId event, std::span<ole::Variant> args) {
            fireControlEvent(controlId, event, args);
        });
}

Dialog::~Dialog()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

int Dialog::DoModal()
{
    if (!build())
        return -1;
    CenterWindow(owner());
    OnInitDialog();
    // A dialog ended during its initialisation is never shown.
    if (m_ended)
        return result();
    // Modal to its owner only: other windows of the program (received pages, chats) stay usable.
    if (parentWidget()) {
        setWindowModality(Qt::WindowModal);
        return exec();
    }
    // Without an owner this is the program's main window. QDialog::exec would make it modal to
    // the whole program and block every modeless window it owns, so it runs its own loop.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::DialogExec);
    return result();
}

bool Dialog::Create()
{
    if (!build())
        return false;
    m_modeless = true;
    if (isWindow())
        CenterWindow(owner());
    OnInitDialog();
    if (!m_ended) {
        show();
        // A modal window blocks every window transient for its owner. A modeless window (a
        // received page, a receipt, a chat) must stay usable while its owner runs a modal one,
        // so it is the owner's child for its lifetime only, not transient for it.
        if (QWindow *handle = windowHandle())
            handle->setTransientParent(nullptr);
    }
    return true;
}

void Dialog::EndDialog(int result)
{
    if (m_modeless) {
        // A modeless window that merely hid itself would never be released.
        setResult(result);
        DestroyWindow();
        return;
    }
    m_ended = true;
    done(result);
}

void Dialog::DestroyWindow()
{
    if (m_destroyed)
        return;
    m_destroyed = m_ended = true;
    hide();
    if (m_modeless)
        PostNcDestroy();
}

QWidget *Dialog::GetDlgItem(int id) const
{
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second.data();
}

void Dialog::SetTimer(unsigned id, unsigned milliseconds)
{
    KillTimer(id);
    const int interval = static_cast<int>(std::clamp(milliseconds, 10u, 0x7FFFFFFFu));
    if (const int timerId = startTimer(interval))
        m_timers[id] = timerId;
}

void Dialog::KillTimer(unsigned id)
{
    if (const auto found = m_timers.find(id); found != m_timers.end()) {
        killTimer(found->second);
        m_timers.erase(found);
    }
}

void Dialog::CenterWindow(const QWidget *over)
{
    const bool overWindow = over && over->isVisible();
    const QRect area = (overWindow ? over->screen() : screen())->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(overWindow ? over->frameGeometry().center() : area.center());
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    move(frame.topLeft());
}

bool Dialog::OnInitDialog()
{
    return true;
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::OnTimer(unsigned) {}

bool Dialog::PreTranslateMessage(QObject *, QEvent *)
{
    return false;
}

void Dialog::PostNcDestroy()
{
    deleteLater();
}

void Dialog::onMessage(unsigned message, msg::MessageMap::Handler handler)
{
    m_messages.add(message, std::move(handler));
}

void Dialog::onClick(int controlId, std::function<void()> handler)
{
    onControlEvent(controlId, ole::DISPID_CLICK,
                   [handler = std::move(handler)](std::span<ole::Variant>) { handler(); });
}

void Dialog::onControlEvent(int controlId, ole::DispId event,
                            std::function<void(std::span<ole::Variant>)> handler)
{
    m_events[{controlId, event}] = std::move(handler);
}

bool Dialog::event(QEvent *event)
{
    if (event->type() != msg::WindowMessageEvent::eventType())
        return QDialog::event(event);
    // A close request without a handler of its own cancels, as a Windows dialog does.
    if (!m_messages.dispatch(event) &&
        static_cast<msg::WindowMessageEvent *>(event)->message() == msg::WM_CLOSE)
        OnCancel();
    return true;
}

// Installed on the application, so that it sees the events of every widget of this window,
// including those a hosted control creates later, before they are delivered.
bool Dialog::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;
    if (PreTranslateMessage(watched, event))
        return true;
    // Enter and Escape belong to the dialog before any control sees them; an editable combo
    // box would otherwise keep Enter to itself.
    return event->type() == QEvent::KeyPress &&
           handleDialogKey(static_cast<const QKeyEvent *>(event));
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Enter and Escape handling would bypass OnOK and OnCancel.
    QWidget::keyPressEvent(event);
}

void Dialog::closeEvent(QCloseEvent *event)
{
    // The close box asks; OnCancel decides, and ends or destroys the window if it agrees.
    event->ignore();
    OnCancel();
}

void Dialog::timerEvent(QTimerEvent *event)
{
    for (const auto &[id, timerId] : m_timers) {
        if (timerId == event->timerId()) {
            const unsigned windowTimer = id; // OnTimer may kill or reset it
            OnTimer(windowTimer);
            return;
        }
    }
    QDialog::timerEvent(event);
}

bool Dialog::build()
{
    if (m_built)
        return true;

    const QFont font = DialogUnits::dialogFont(m_template.fontName, m_template.fontPointSize);
    const DialogUnits units(font);
    setFont(font);
    setWindowTitle(text::fromAnsi(m_template.caption));
    setWindowFlags(windowFlagsFor(m_template.styles));
    setFixedSize(units.toPixels(m_template.rect).size());

    // Created in template order, which is also the tab order.
    for (const DialogControlTemplate &control : m_template.controls) {
        const QRect geometry = units.toPixels(control.rect);
        QWidget *widget = control.clsid
                              ? m_controls.createControl(control.id, *control.clsid, control.stream,
                                                         geometry, control.text)
                              : createStandardControl(control, geometry);
        if (!widget) {
            qWarning("Dialog %d: control %d has the unknown window class \"%s\"", m_template.id,
                     control.id, control.windowClass.c_str());
            return false;
        }
        if (widget->objectName().isEmpty())
            widget->setObjectName(QStringLiteral("id%1").arg(control.id));
        m_items.emplace(control.id, widget);
    }
    // A static text's mnemonic goes to the control after it, as the platform's does.
    const auto &controls = m_template.controls;
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        auto *label = qobject_cast<QLabel *>(GetDlgItem(controls[i].id));
        if (label && controls[i].text.find('&') != std::string::npos)
            label->setBuddy(GetDlgItem(controls[i + 1].id));
    }

    QCoreApplication::instance()->installEventFilter(this);
    m_built = true;
    return true;
}

QWidget *Dialog::createStandardControl(const DialogControlTemplate &control, const QRect &geometry)
{
    const auto has = [&control](std::string_view style) {
        return hasStyle(control.styles, style);
    };
    const QString text = text::fromAnsi(control.text);
    const std::string &windowClass = control.windowClass;
    QWidget *widget = nullptr;

    if (windowClass == "COMBOBOX") {
        auto *box = new QComboBox(this);
        box->setEditable(!has("CBS_DROPDOWNLIST"));
        // A Windows combo box neither completes what is typed nor adds it to its list.
        if (box->isEditable())
            box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        widget = box;
    } else if (windowClass == "EDIT") {
        if (has("ES_MULTILINE")) {
            auto *edit = new QPlainTextEdit(this);
            edit->setPlainText(text);
            edit->setReadOnly(has("ES_READONLY"));
            if (!has("WS_BORDER"))
                edit->setFrameShape(QFrame::NoFrame);
            widget = edit;
        } else {
            auto *edit = new QLineEdit(text, this);
            edit->setReadOnly(has("ES_READONLY"));
            edit->setFrame(has("WS_BORDER"));
            widget = edit;
        }
    } else if (windowClass == "STATIC") {
        auto *label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        widget = label;
    } else if (windowClass == "BUTTON") {
        QAbstractButton *button = nullptr;
        if (has("BS_GROUPBOX"))
            widget = new QGroupBox(text, this);
        else if (has("BS_AUTOCHECKBOX"))
            button = new QCheckBox(text, this);
        else if (has("BS_AUTORADIOBUTTON"))
            button = new QRadioButton(text, this);
        else
            button = new QPushButton(text, this);
        if (button) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id = control.id] { fireControlEvent(id, ole::DISPID_CLICK, {}); });
            widget = button;
        }
    } else if (windowClass == "LISTBOX") {
        auto *list = new QListWidget(this);
        list->setSortingEnabled(has("LBS_SORT"));
        widget = list;
    } else {
        return nullptr;
    }

    // A combo box's template height includes its drop-down list; the widget is the edit part.
    if (qobject_cast<QComboBox *>(widget))
        widget->setGeometry(geometry.x(), geometry.y(), geometry.width(),
                            widget->sizeHint().height());
    else
        widget->setGeometry(geometry);
    // Tab moves only between controls that ask for it; a click still focuses the others.
    if ((widget->focusPolicy() & Qt::TabFocus) && !has("WS_TABSTOP"))
        widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

QWidget *Dialog::owner() const
{
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void Dialog::fireControlEvent(int controlId, ole::DispId event, std::span<ole::Variant> args)
{
    const auto found = m_events.find({controlId, event});
    if (found == m_events.end() || !found->second) {
        // The platform's OK and Cancel buttons end the dialog unless the window handles them.
        if (event == ole::DISPID_CLICK && controlId == IDOK)
            OnOK();
        else if (event == ole::DISPID_CLICK && controlId == IDCANCEL)
            OnCancel();
        return;
    }
    // A copy, so that a handler may replace its own entry while it runs.
    const auto handler = found->second;
    handler(args);
}

bool Dialog::handleDialogKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A multi-line edit (also inside a hosted control) keeps Enter for a new line, and a
        // hosted control that claims Enter (a focused 3-D button) gets it; a push button with
        // the focus is clicked, as the platform's buttons are; anywhere else Enter is the
        // dialog's OK.
        QWidget *focus = focusWidget();
        if (qobject_cast<const QPlainTextEdit *>(focus) || qobject_cast<const QTextEdit *>(focus))
            return false;
        if (focus) {
            QKeyEvent claim(QEvent::ShortcutOverride, event->key(), event->modifiers());
            claim.ignore();
            QCoreApplication::sendEvent(focus, &claim);
            if (claim.isAccepted())
                return false;
        }
        if (auto *button = qobject_cast<QPushButton *>(focus)) {
            button->click();
            return true;
        }
        OnOK();
        return true;
    }
    default:
        return false;
    }
}

} // namespace ui
