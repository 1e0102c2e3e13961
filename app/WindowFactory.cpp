#include "app/WindowFactory.h"

namespace app {

WindowFactory::~WindowFactory() = default;

} // namespace app
