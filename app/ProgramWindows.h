#pragma once

#include "app/FailureBoxes.h"
#include "app/WindowFactory.h"
#include "chat/ChatWindowContext.h"
#include "paging/PageWindowContext.h"

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

class CPageDlg;
class CReceiptDlg;

namespace app {

class EventSounds;

// How many windows a flood from the network may open, and how many pages may wait.
struct WindowLimits {
    std::size_t pageWindows = 300;
    std::size_t waitingPages = 1000;
    std::size_t receiptWindows = 300;
    std::size_t chatWindows = 100;
};

// The program's own windows. Every received page and receipt opens its own window, so a peer
// could open windows without end: beyond a few hundred open page windows further pages wait in a
// bounded queue and open as windows close, and a page that does not fit there is told; beyond a
// few hundred receipt windows receipts are counted into the newest receipt window. Chat links
// that come in while a hundred chat windows are open are refused, and the user is told.
class ProgramWindows : public WindowFactory {
public:
    // `context.mainWindow` is set when the main window exists (setMainWindow). Without a
    // `context.startChat` a page window's Chat opens a chat window.
    ProgramWindows(EventSounds &sounds, page::PageWindowContext context, WindowLimits limits = {});

    void setMainWindow(QWidget *mainWindow);

    bool runPageWindow(QWidget *owner, const std::string &shownDestination,
                       std::string &payload) override;
    void runMemoryWindow(QWidget *owner, QComboBox *destinations) override;
    void runOptionsWindow(QWidget *owner) override;
    void openReceivedPage(QWidget *owner, const std::string &text, bool readReceipt,
                          const std::string &sender) override;
    void openReceiptWindow(QWidget *owner, ReceiptKind kind, const std::string &sender) override;
    void openIncomingChat(QWidget *owner, CStreamSocket &listener) override;

    std::size_t openPageWindows() const;
    std::size_t openChatWindows() const;
    std::size_t waitingPages() const { return m_waiting.size(); }

private:
    struct ReceivedPage {
        std::string text;
        bool readReceipt;
        std::string sender;
    };

    void showPage(const ReceivedPage &page);
    // Page window `gone` closed: the next waiting page takes its place.
    void pageWindowClosed(QObject *gone);
    void openOutgoingChat(const std::string &destination);
    // Takes the connection waiting on `listener` and closes it, telling the user.
    void refuseChat(QWidget *owner, CStreamSocket &listener);

    EventSounds &m_sounds;
    page::PageWindowContext m_context;
    WindowLimits m_limits;
    // As plain objects: a window is told gone while it is being destroyed, when it is no longer
    // a page window.
    std::vector<QPointer<QObject>> m_pageWindows;
    std::deque<ReceivedPage> m_waiting;
    FailureBoxes m_failureBoxes;
    std::vector<QPointer<CReceiptDlg>> m_receiptWindows;
    chat::ChatWindowContext m_chatContext;
    std::vector<QPointer<QObject>> m_chatWindows;
    // Ends the windows' connections to this object when it goes before them.
    QObject m_connections;
};

} // namespace app
