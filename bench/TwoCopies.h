#pragma once

// What the benchmarks of two copies of the program share: the two network namespaces joined by a
// virtual cable (tests/support/NetworkNamespaces.h), and the program's message boxes.

#include <string>

namespace bench {

// Makes the two namespaces and moves the calling thread into the near one; the path of the far
// one, for FarProcess. Exits the benchmark when they cannot be made (it needs root and the ip
// command). They are removed when the process ends, also when it is interrupted with Ctrl-C or
// killed with SIGTERM: a thread of its own waits for those signals, so this is called before any
// other thread starts.
std::string EnterNearNamespace();
// Removes both namespaces now: at the end of the process it would come after Qt's own clean-up.
void RemoveNetwork(const std::string &farNetwork);

// Every message box the program opens is answered with OK, told on standard error and counted in
// `count`, which lives as long as the process.
void CountMessageBoxes(int &count);

} // namespace bench
