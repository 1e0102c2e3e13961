#pragma once

#include <string>

class CStreamSocket;
class QComboBox;
class QWidget;

namespace app {

enum class ReceiptKind { Delivery, Read };

// Opens the windows the main window leads to, each owned by `owner`. The program's own factory
// builds them with the services they use; tests put a recorder in its place.
class WindowFactory {
public:
    virtual ~WindowFactory();

    // The page window composing a page for `shownDestination`, modal; true with the payload
    // when the user sends it.
    virtual bool runPageWindow(QWidget *owner, const std::string &shownDestination,
                               std::string &payload) = 0;
    // The memory window, kept in step with the main window's destination box, modal.
    virtual void runMemoryWindow(QWidget *owner, QComboBox *destinations) = 0;
    virtual void runOptionsWindow(QWidget *owner) = 0;
    // A received page: its text, whether its sender waits for a read receipt, and the sender's
    // dotted address.
    virtual void openReceivedPage(QWidget *owner, const std::string &text, bool readReceipt,
                                  const std::string &sender) = 0;
    virtual void openReceiptWindow(QWidget *owner, ReceiptKind kind, const std::string &sender) = 0;
    // The chat window that takes the connection waiting on `listener`.
    virtual void openIncomingChat(QWidget *owner, CStreamSocket &listener) = 0;
};

} // namespace app
