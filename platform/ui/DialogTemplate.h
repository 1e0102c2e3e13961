#pragma once

#include "platform/ole/Clsid.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ui {

// One control of a dialog template. Standard controls name their window class ("BUTTON",
// "EDIT", "STATIC", "COMBOBOX", "LISTBOX"); hosted controls carry the class
// identifier of the control and its persisted property stream.
struct DialogControlTemplate {
    int id = 0;
    std::string windowClass;          // empty for a hosted control
    std::optional<ole::Clsid> clsid;  // set for a hosted control
    QRect rect;                       // dialog units
    std::vector<std::string> styles;  // e.g. "CBS_DROPDOWN", "WS_VSCROLL", "WS_TABSTOP"
    std::string text;                 // ANSI
    std::vector<std::uint8_t> stream; // persisted properties of a hosted control
};

// A dialog template as a data file: caption, size in dialog units, font, styles, controls.
struct DialogTemplate {
    int id = 0;
    std::string caption; // ANSI
    QRect rect;          // dialog units
    std::string fontName;
    int fontPointSize = 8;
    std::vector<std::string> styles;
    std::vector<DialogControlTemplate> controls;

    // Parses the template data; nullopt with `error` set when it is malformed.
    static std::optional<DialogTemplate> parse(const QByteArray &data,
                                               std::string *error = nullptr);
    // Loads dialog `id` from the program's resources (":/dialogs/<id>.json").
    static std::optional<DialogTemplate> load(int id, std::string *error = nullptr);
    // A hosted control's persisted stream as a template's "stream" holds it: upper-case hex
    // bytes separated by blanks.
    static QString streamText(std::span<const std::uint8_t> stream);
};

} // namespace ui
