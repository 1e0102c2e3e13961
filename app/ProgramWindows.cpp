#include "app/ProgramWindows.h"

#include "app/EventSounds.h"
#include "chat/CChatDlg.h"
#include "memory/CMemoryDlg.h"
#include "memory/COptionsDlg.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"
#include "paging/CPageDlg.h"
#include "paging/CReceiptDlg.h"
#include "platform/ui/MessageBox.h"
#include "platform/winsock/WinSock.h"

#include <algorithm>
#include <utility>

namespace app {

namespace {

// Drops the windows that went.
template <typename T> void Forget(std::vector<QPointer<T>> &windows)
{
    std::erase_if(windows, [](const QPointer<T> &window) { return window.isNull(); });
}

} // namespace

ProgramWindows::ProgramWindows(EventSounds &sounds, page::PageWindowContext context,
                               WindowLimits limits)
    : m_sounds(sounds), m_context(std::move(context)),
      m_limits(limits), m_chatContext{m_context.settings, sounds, m_context.mainWindow}
{
    if (!m_context.startChat)
        m_context.startChat = [this](QWidget *, const std::string &destination) {
            openOutgoingChat(destination);
        };
}

void ProgramWindows::setMainWindow(QWidget *mainWindow)
{
    m_context.mainWindow = mainWindow;
    m_chatContext.mainWindow = mainWindow;
    // Without a main window (the program ends) no waiting page opens any more.
    if (!mainWindow)
        m_waiting.clear();
}

bool ProgramWindows::runPageWindow(QWidget *owner, const std::string &shownDestination,
                                   std::string &payload)
{
    CPageDlg window(m_context, owner);
    window.m_sender = shownDestination;
    if (window.DoModal() != ui::IDOK)
        return false;
    payload = window.m_text;
    return true;
}

void ProgramWindows::runMemoryWindow(QWidget *owner, QComboBox *destinations)
{
    CMemoryDlg window(m_context, destinations, owner);
    window.DoModal();
}

void ProgramWindows::runOptionsWindow(QWidget *owner)
{
    COptionsDlg window(m_context.settings, m_sounds, owner);
    window.DoModal();
}

std::size_t ProgramWindows::openPageWindows() const
{
    return static_cast<std::size_t>(std::ranges::count_if(
        m_pageWindows, [](const QPointer<QObject> &window) { return !window.isNull(); }));
}

std::size_t ProgramWindows::openChatWindows() const
{
    return static_cast<std::size_t>(std::ranges::count_if(
        m_chatWindows, [](const QPointer<QObject> &window) { return !window.isNull(); }));
}

void ProgramWindows::openReceivedPage(QWidget *owner, const std::string &text, bool readReceipt,
                                      const std::string &sender)
{
    Forget(m_pageWindows);
    ReceivedPage page{text, readReceipt, sender};
    if (m_pageWindows.size() < m_limits.pageWindows) {
        showPage(page);
        return;
    }
    if (m_waiting.size() < m_limits.waitingPages) {
        m_waiting.push_back(std::move(page));
        return;
    }
    m_failureBoxes.report(FailureBoxes::Kind::PageNotShown, [&](const std::string &extra) {
        ui::MessageBox(owner,
                       "A page from " + sender +
                           " could not be shown: " + std::to_string(m_limits.pageWindows) +
                           " page windows are open and " + std::to_string(m_limits.waitingPages) +
                           " more pages wait for one of them to close." + extra,
                       "Information", ui::MessageIcon::Information);
    });
}

void ProgramWindows::showPage(const ReceivedPage &page)
{
    auto *window = new CPageDlg(m_context, m_context.mainWindow);
    window->SetReadReceiptPending(page.readReceipt);
    QObject::connect(window, &QObject::destroyed, &m_connections,
                     [this](QObject *gone) { pageWindowClosed(gone); });
    m_pageWindows.emplace_back(window);
    window->ShowReceived(page.text, page.sender);
}

void ProgramWindows::pageWindowClosed(QObject *gone)
{
    // A widget tells it is destroyed before its guards let go of it.
    std::erase_if(m_pageWindows, [gone](const QPointer<QObject> &window) {
        return window.isNull() || window.data() == gone;
    });
    while (m_context.mainWindow && !m_waiting.empty() &&
           m_pageWindows.size() < m_limits.pageWindows) {
        const ReceivedPage next = std::move(m_waiting.front());
        m_waiting.pop_front();
        showPage(next);
    }
}

void ProgramWindows::openReceiptWindow(QWidget *owner, ReceiptKind kind, const std::string &sender)
{
    Forget(m_receiptWindows);
    if (m_receiptWindows.size() >= m_limits.receiptWindows) {
        m_receiptWindows.back()->CountFurtherReceipt();
        return;
    }
    m_receiptWindows.emplace_back(
        new CReceiptDlg(kind == ReceiptKind::Read, sender, m_sounds, m_context.clock, owner));
}

void ProgramWindows::openOutgoingChat(const std::string &destination)
{
    Forget(m_chatWindows);
    m_chatWindows.emplace_back(new CChatDlg(m_chatContext, destination));
}

void ProgramWindows::openIncomingChat(QWidget *owner, CStreamSocket &listener)
{
    Forget(m_chatWindows);
    if (m_chatWindows.size() < m_limits.chatWindows)
        m_chatWindows.emplace_back(new CChatDlg(m_chatContext, listener));
    else
        refuseChat(owner, listener);
}

void ProgramWindows::refuseChat(QWidget *owner, CStreamSocket &listener)
{
    CStreamSocket connection(nullptr, 0);
    if (listener.Accept(connection) != SOCK_OK)
        return;
    sockaddr_in peer{};
    const std::string caller = connection.GetPeerName(peer) == SOCK_OK
                                   ? winsock::inet_ntoa(peer.sin_addr)
                                   : std::string("another machine");
    connection.Close();
    m_failureBoxes.report(FailureBoxes::Kind::ChatRefused, [&](const std::string &extra) {
        ui::MessageBox(owner,
                       "A chat link from " + caller + " was refused: " +
                           std::to_string(m_limits.chatWindows) + " chat windows are open." + extra,
                       "Information", ui::MessageIcon::Information);
    });
}

} // namespace app
