#include "platform/ui/MessageBox.h"

#include "platform/text/Ansi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <utility>

namespace ui {

namespace {

// The process-wide hook; empty means the real box.
MessageBoxHandler &installedHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int MessageBox(QWidget *owner, std::string_view text, std::string_view caption, MessageIcon icon)
{
    MessageBoxRequest request{owner ? owner : QApplication::activeWindow(), std::string(text),
                              std::string(caption), icon};
    // A copy, so that a handler may install another one while it runs.
    if (const MessageBoxHandler handler = installedHandler())
        return handler(request);

    // On the heap: events keep running while the box is up, and the owner may be destroyed
    // meanwhile, taking the box with it.
    const QPointer<QMessageBox> box = new QMessageBox(request.owner);
    box->setIcon(toQtIcon(icon));
    box->setWindowTitle(text::fromAnsi(caption));
    box->setTextFormat(Qt::PlainText);
    box->setText(text::fromAnsi(text));
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
    delete box.data();
    return IDOK;
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

} // namespace ui
