#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Private initialisation files with the behaviour of the Windows functions of the same names.
// A file name without a '/' names a file in the Windows directory (see WindowsDirectory.h); with
// one, it is used as it is. Section and key names match without regard to ASCII case and
// surrounding blanks; values come back as stored, without surrounding blanks. A file that does
// not exist, cannot be read or is no regular file (a FIFO or a device, which is not even opened)
// reads as empty; files of any size are read whole. Reading creates
// nothing. Each file is parsed once and again only when its size, times or inode show that it
// changed on disk; a change in place that keeps the size, in the same tick of the file system's
// clock as the last read, can go unseen until the file changes again.
namespace profile {

// The value, or defaultValue when the key is absent; cut to bufferSize - 1 bytes.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view fileName,
                                    std::size_t bufferSize = 4096);

// GetPrivateProfileString for each of the keys of one section, in their order, from one look at
// the file: reading thousands of keys this way checks the file once, not once per key.
std::vector<std::string> GetPrivateProfileStrings(std::string_view section,
                                                  const std::vector<std::string> &keys,
                                                  std::string_view defaultValue,
                                                  std::string_view fileName,
                                                  std::size_t bufferSize = 4096);

// The section's key names in file order.
std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view fileName);

// The file's section names in file order.
std::vector<std::string> GetPrivateProfileSections(std::string_view fileName);

// The value's leading decimal number (text without one reads as 0, a number out of range as the
// nearest int), or defaultValue when the key is absent or its value empty.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view fileName);

// Stores the value under the key (the key keeps its line), deletes the key when value is nullopt,
// or deletes the whole section when key is nullopt. The file is created by the first write (and
// with it the Windows directory, when missing, for a file named without a folder) and rewritten
// atomically with CR LF line ends. Returns false, leaving the file as it was, when the write
// fails, the existing file cannot be read, or a name or value would break the file's structure
// (a ']' or line break in a section name; '=' or a line break in a key name, or a key name
// starting with '[' or ';'; a line break in a value).
bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view fileName);

// GetPrivateProfileInt on the Windows initialisation file, win.ini. The program prepares that
// file at start (see prepareWindowsDirectory); one missing after that reads as empty, like any
// other file.
int GetProfileInt(std::string_view section, std::string_view key, int defaultValue);

} // namespace profile
