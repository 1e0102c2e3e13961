#pragma once

#include <functional>
#include <string>
#include <string_view>

class QWidget;

// The one way the program shows a message box: one OK button, an icon, a caption; the text is
// always shown as plain text. Tests install a handler that sees and answers every box.
namespace ui {

// Results of a dialog or message box run.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

enum class MessageIcon { None, Stop, Exclamation, Information, Question };

struct MessageBoxRequest {
    QWidget *owner = nullptr;
    std::string text;    // ANSI
    std::string caption; // ANSI
    MessageIcon icon = MessageIcon::None;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest &)>;

// Shows the box modally, owned by `owner` or, when null, by the active window; returns IDOK.
int MessageBox(QWidget *owner, std::string_view text, std::string_view caption, MessageIcon icon);

// Replaces the process-wide handler (an empty one restores the real box); returns the previous.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace ui
