#include "app/PagerNetwork.h"

namespace app {

PagerNetwork::~PagerNetwork() = default;

} // namespace app
