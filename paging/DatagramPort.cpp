#include "paging/DatagramPort.h"

namespace page {

DatagramPort::~DatagramPort() = default;

} // namespace page
