#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

// The platform's open-file and colour dialogs, one function each. Tests install a handler that
// sees and answers every request in place of the real dialog.
namespace ui {

struct OpenFileRequest {
    QWidget *owner = nullptr;
    std::string filter;           // one filter, e.g. "Wav Files (*.wav)"
    std::string defaultExtension; // added to a typed name that has none
};

// The chosen file's full path (ANSI), or nullopt when the user cancelled.
using OpenFileHandler = std::function<std::optional<std::string>(const OpenFileRequest &)>;

// Asks for one existing file, leaving the current directory as it is.
std::optional<std::string> GetOpenFileName(const OpenFileRequest &request);

// Replaces the process-wide handler (an empty one restores the real dialog); returns the
// previous.
OpenFileHandler setOpenFileHandler(OpenFileHandler handler);

// Colours are 0x00BBGGRR values, red in the low byte.
using ChooseColorHandler = std::function<std::optional<int>(QWidget *owner, int initial)>;

// Asks for a colour, starting from `initial`; nullopt when the user cancelled.
std::optional<int> ChooseColor(QWidget *owner, int initial);

ChooseColorHandler setChooseColorHandler(ChooseColorHandler handler);

} // namespace ui
