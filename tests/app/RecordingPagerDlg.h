#pragma once

#include "app/CPagerDlg.h"

#include <functional>
#include <string>
#include <vector>

// The main window with the windows it opens replaced by recorders.
class RecordingPagerDlg : public CPagerDlg {
public:
    using CPagerDlg::CPagerDlg;

    struct Received {
        std::string text;
        bool readReceipt;
        std::string sender;
    };
    struct Receipt {
        ReceiptKind kind;
        std::string sender;
    };

    std::vector<std::string> shownDestinations;
    std::vector<Received> received;
    std::vector<Receipt> receipts;
    std::string pageText = "hello";
    bool sendPages = true;
    int memoryRuns = 0;
    int optionsRuns = 0;
    std::function<void()> duringOptions;

protected:
    bool RunPageWindow(const std::string &shownDestination, std::string &payload) override
    {
        shownDestinations.push_back(shownDestination);
        payload = pageText;
        return sendPages;
    }
    void ShowReceivedPage(const std::string &text, bool readReceipt,
                          const std::string &sender) override
    {
        received.push_back({text, readReceipt, sender});
    }
    void OpenReceiptWindow(ReceiptKind kind, const std::string &sender) override
    {
        receipts.push_back({kind, sender});
    }
    void RunMemoryWindow() override { ++memoryRuns; }
    void RunOptionsWindow() override
    {
        ++optionsRuns;
        if (duringOptions)
            duringOptions();
    }
};
