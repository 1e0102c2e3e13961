#pragma once

#include "app/WindowFactory.h"

namespace app {

// The program's own windows. The page, receipt, chat, memory and options windows are still to
// come: until then the buttons open nothing, a received page is announced by the main window's
// sound only, receipts show nothing, and a waiting chat connection is taken and closed at once
// so the caller is not left waiting.
class ProgramWindows : public WindowFactory {
public:
    bool runPageWindow(QWidget *owner, const std::string &shownDestination,
                       std::string &payload) override;
    void runMemoryWindow(QWidget *owner) override;
    void runOptionsWindow(QWidget *owner) override;
    void openReceivedPage(QWidget *owner, const std::string &text, bool readReceipt,
                          const std::string &sender) override;
    void openReceiptWindow(QWidget *owner, ReceiptKind kind, const std::string &sender) override;
    void openIncomingChat(QWidget *owner, CStreamSocket &listener) override;
};

} // namespace app
