#pragma once

#include <cstdint>

// The error-text library the controls load at run time, by file name, from their own folder.
// It holds one text per error number and nothing else.
namespace qvlocale {

inline constexpr const char *kFileName = "QVLOCALE.so";

// Exported with C linkage under this name: the text of error `number`, or null when the
// library has none. The text lives as long as the library stays loaded.
inline constexpr const char *kErrorTextSymbol = "QvErrorText";
using ErrorTextFn = const char *(*)(std::uint32_t number);

} // namespace qvlocale
