#include "controls/text3d/EditText.h"

#include "platform/text/Ansi.h"

#include <utility>

namespace qvgtxt {

namespace {

// How a CR and an LF on their own show in the window.
constexpr char16_t kLoneCr = u'\u240D';
constexpr char16_t kLoneLf = u'\u240A';

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Walks the characters of the edit's `text` from its start while `next(editIndex, ansiIndex,
// ansiWidth)` agrees to take the one at `editIndex`: a line break is two of the box's
// characters, a surrogate pair (one '?' in ANSI) two of the edit's positions. Returns the edit's
// and the box's position where it stopped.
template <typename Next> std::pair<int, int> walk(QStringView text, Next next)
{
    int edit = 0;
    int ansi = 0;
    while (edit < text.size()) {
        const int ansiWidth = isLineBreak(text[edit]) ? 2 : 1;
        if (!next(edit, ansi, ansiWidth))
            break;
        const bool pair = text[edit].isHighSurrogate() && edit + 1 < text.size() &&
                          text[edit + 1].isLowSurrogate();
        edit += pair ? 2 : 1;
        ansi += ansiWidth;
    }
    return {edit, ansi};
}

} // namespace

QString toEditText(std::string_view ansi)
{
    const QString chars = text::fromAnsi(ansi);
    QString edit;
    edit.reserve(chars.size());
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const QChar c = chars[i];
        if (c == u'\r' && i + 1 < chars.size() && chars[i + 1] == u'\n') {
            edit += u'\n';
            ++i;
        } else if (c == u'\r') {
            edit += kLoneCr;
        } else if (c == u'\n') {
            edit += kLoneLf;
        } else {
            edit += c;
        }
    }
    return edit;
}

std::string fromEditText(QStringView text)
{
    QString chars;
    chars.reserve(text.size());
    for (const QChar c : text) {
        if (isLineBreak(c))
            chars += u"\r\n";
        else if (c == kLoneCr)
            chars += u'\r';
        else if (c == kLoneLf)
            chars += u'\n';
        else
            chars += c;
    }
    return text::toAnsi(chars);
}

int editPosition(QStringView text, int ansiPosition)
{
    return walk(text,
                [ansiPosition](int, int ansi, int width) { return ansi + width <= ansiPosition; })
        .first;
}

int ansiPosition(QStringView text, int editPosition)
{
    return walk(text, [editPosition](int edit, int, int) { return edit < editPosition; }).second;
}

std::string_view leftPart(std::string_view ansi, std::size_t length)
{
    if (length >= ansi.size())
        return ansi;
    if (length > 0 && ansi[length - 1] == '\r' && ansi[length] == '\n')
        --length;
    return ansi.substr(0, length);
}

} // namespace qvgtxt
