#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The error-text library, loaded from the folder of the control library that holds this code
// for as long as the object lives.
class ErrorTextLibrary {
public:
    ErrorTextLibrary();
    ~ErrorTextLibrary();
    ErrorTextLibrary(const ErrorTextLibrary &) = delete;
    ErrorTextLibrary &operator=(const ErrorTextLibrary &) = delete;

    // The text of error `number`; empty when the library has none for it. Nullopt when the
    // library is not loaded.
    std::optional<std::string> text(std::uint32_t number) const;

private:
    void *m_handle = nullptr;
    const char *(*m_text)(std::uint32_t) = nullptr;
};

} // namespace qv
