#pragma once

#include <QString>
#include <string>
#include <string_view>

// The text box's text as its edit window holds it. The box's text is ANSI with CR LF line
// breaks, and its lengths and positions count a line break as two characters; the edit window
// holds each line break as one character. A CR or LF on its own is shown as its visible symbol,
// so that any text comes back from the window byte for byte.
namespace qvgtxt {

QString toEditText(std::string_view ansi);
// `text` as the edit's document gives it (QTextDocument::toRawText): paragraph and line
// separators are line breaks.
std::string fromEditText(QStringView text);

// The position in `text` (the edit's) of the box's position `ansiPosition`; a position inside a
// line break falls before it.
int editPosition(QStringView text, int ansiPosition);
// The box's position of the edit's position `editPosition` in `text`.
int ansiPosition(QStringView text, int editPosition);

// The first `length` characters of `ansi`, or one fewer where that would cut a line break in two.
std::string_view leftPart(std::string_view ansi, std::size_t length);

} // namespace qvgtxt
