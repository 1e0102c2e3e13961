// The controls' error texts, by error number.

#include "controls/qvlocale/QvLocale.h"

#include "platform/ole/LibraryExports.h"

#include <algorithm>
#include <iterator>

namespace {

struct ErrorText {
    std::uint32_t number;
    const char *text;
};

constexpr ErrorText kErrorTexts[] = {
    {5, "Invalid procedure call"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {380, "Invalid property value"},
    {381, "Invalid property array index"},
    {382, "Property cannot be set at run time"},
    {383, "Property is read-only"},
    {387, "Property cannot be set"},
    {393, "Property cannot be read at run time"},
    {394, "Property is write-only"},
    {422, "Property not found"},
    {481, "Invalid picture"},
};

} // namespace

TARVIL_DLL_EXPORT const char *QvErrorText(std::uint32_t number)
{
    const auto it =
        std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                     [number](const ErrorText &entry) { return entry.number == number; });
    return it == std::end(kErrorTexts) ? nullptr : it->text;
}
