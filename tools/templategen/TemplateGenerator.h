#pragma once

#include <QByteArray>
#include <filesystem>
#include <optional>
#include <string>

namespace templategen {

// Makes the dialog template the program loads from its source. A hosted control whose
// "properties" is an object is created through the registered control libraries, in design
// mode, made new, given those properties by name, and saved: its "stream" replaces the list.
// Every other control passes unchanged, among them hosted controls with a literal "stream" and
// hosted controls whose "properties" is a string, a description for the reader until their
// library exists (they are made new in the window).
//
// A property value is a boolean, a number (a whole number as a long; one from 2^31 to 2^32 - 1
// as the same 32 bits, so colours such as 2147483663 = 0x8000000F can be written; any other as
// a single), or a string: "0x" and one to eight hex digits is such a 32-bit number, a name
// ending in ".bmp" is a picture file relative to `resources`, anything else is text. The
// properties are set in the order of their names.
//
// Returns the template, or nullopt with `error` naming the control and the property at fault.
std::optional<QByteArray> generateTemplate(const QByteArray &source,
                                           const std::filesystem::path &resources,
                                           std::string &error);

} // namespace templategen
