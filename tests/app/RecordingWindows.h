#pragma once

#include "app/WindowFactory.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the windows the main window opens: records each one and what it was given.
class RecordingWindows : public app::WindowFactory {
public:
    struct Received {
        std::string text;
        bool readReceipt;
        std::string sender;
    };
    struct Receipt {
        app::ReceiptKind kind;
        std::string sender;
    };

    bool runPageWindow(QWidget *, const std::string &shownDestination,
                       std::string &payload) override
    {
        shownDestinations.push_back(shownDestination);
        payload = pageText;
        return sendPages;
    }
    void runMemoryWindow(QWidget *, QComboBox *destinations) override
    {
        ++memoryRuns;
        memoryBox = destinations;
    }
    void runOptionsWindow(QWidget *) override
    {
        ++optionsRuns;
        if (duringOptions)
            duringOptions();
    }
    void openReceivedPage(QWidget *, const std::string &text, bool readReceipt,
                          const std::string &sender) override
    {
        received.push_back({text, readReceipt, sender});
    }
    void openReceiptWindow(QWidget *, app::ReceiptKind kind, const std::string &sender) override
    {
        receipts.push_back({kind, sender});
    }
    // Takes the connection, as a chat window would, and lets it go again.
    void openIncomingChat(QWidget *, CStreamSocket &listener) override
    {
        ++chats;
        CStreamSocket connection(nullptr, 0);
        if (listener.Accept(connection) == SOCK_OK)
            connection.Close();
    }

    std::string pageText = "hello";
    bool sendPages = true;
    std::function<void()> duringOptions;

    std::vector<std::string> shownDestinations;
    std::vector<Received> received;
    std::vector<Receipt> receipts;
    int memoryRuns = 0;
    QComboBox *memoryBox = nullptr;
    int optionsRuns = 0;
    int chats = 0;
};
