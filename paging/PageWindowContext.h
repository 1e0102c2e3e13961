#pragma once

#include <functional>
#include <string>

class CSavedMessageList;
class QWidget;

namespace app {
class Settings;
}

namespace clk {
class Clock;
}

namespace page {

class PageSender;

// The services every page window uses, the same for a page, its reply and a reopened saved
// message.
struct PageWindowContext {
    app::Settings &settings;
    PageSender &sender;
    CSavedMessageList &savedMessages;
    const clk::Clock &clock;
    // The owner of received page windows: the main window.
    QWidget *mainWindow;
    // Opens a chat window that links to `destination`, owned by `owner`.
    std::function<void(QWidget *owner, const std::string &destination)> startChat;
};

} // namespace page
