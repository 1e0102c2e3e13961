#pragma once

#include <QString>
#include <string>
#include <string_view>

// Conversion between the program's ANSI text (Windows-1252 bytes) and Qt's Unicode strings, used
// only where text meets a widget.
namespace text {

// Every byte maps to one character, so any byte string survives a round trip through a widget.
QString fromAnsi(std::string_view ansi);

// Characters that Windows-1252 cannot hold become '?', one per character (a surrogate pair is one
// character).
std::string toAnsi(QStringView unicode);

} // namespace text
