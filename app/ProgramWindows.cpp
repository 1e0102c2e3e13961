#include "app/ProgramWindows.h"

#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"

namespace app {

bool ProgramWindows::runPageWindow(QWidget *, const std::string &, std::string &)
{
    return false;
}

void ProgramWindows::runMemoryWindow(QWidget *) {}

void ProgramWindows::runOptionsWindow(QWidget *) {}

void ProgramWindows::openReceivedPage(QWidget *, const std::string &, bool, const std::string &) {}

void ProgramWindows::openReceiptWindow(QWidget *, ReceiptKind, const std::string &) {}

void ProgramWindows::openIncomingChat(QWidget *, CStreamSocket &listener)
{
    CStreamSocket connection(nullptr, 0);
    if (listener.Accept(connection) == SOCK_OK)
        connection.Close();
}

} // namespace app
