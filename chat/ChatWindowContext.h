#pragma once

#include <chrono>

class QWidget;

namespace app {
class EventSounds;
class Settings;
} // namespace app

namespace chat {

// The services every chat window uses.
struct ChatWindowContext {
    const app::Settings &settings;
    app::EventSounds &sounds;
    // The owner of every chat window: the main window.
    QWidget *mainWindow;
    // How long a caller waits for the other copy to take the link.
    std::chrono::milliseconds connectTimeout{10000};
};

} // namespace chat
