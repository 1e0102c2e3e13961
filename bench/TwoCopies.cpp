#include "TwoCopies.h"

#include "platform/ui/MessageBox.h"
#include "support/NetworkNamespaces.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace bench {

namespace {

// The signals are taken by a thread of their own, started in the near namespace, which removes
// both namespaces and ends the process at once, wherever the main thread is.
void RemoveNetworkOnSignals(const std::string &farNetwork)
{
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&signals, signal);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, farNetwork] {
        int received = 0;
        sigwait(&signals, &received);
        RemoveNetwork(farNetwork);
        ::_exit(128 + received);
    }).detach();
}

} // namespace

std::string EnterNearNamespace()
{
    const testnet::LinkedNamespaces *network = testnet::LinkedNamespaces::get();
    if (!network) {
        std::fprintf(stderr,
                     "%s: needs root and the ip command to make its own network namespaces\n",
                     program_invocation_short_name);
        std::exit(1);
    }
    const std::string farNetwork = "/var/run/netns/" + network->farName();
    RemoveNetworkOnSignals(farNetwork);
    return farNetwork;
}

// The far namespace goes by name, the calling thread's own (the near one) by identity.
void RemoveNetwork(const std::string &farNetwork)
{
    struct stat own {};
    ::stat("/proc/thread-self/ns/net", &own);
    std::vector<std::string> names{std::filesystem::path(farNetwork).filename()};
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/var/run/netns", error)) {
        struct stat named {};
        if (::stat(entry.path().c_str(), &named) == 0 && named.st_ino == own.st_ino &&
            named.st_dev == own.st_dev)
            names.push_back(entry.path().filename());
    }
    for (const std::string &name : names)
        (void)std::system(("ip netns del " + name + " >/dev/null 2>&1").c_str());
}

void CountMessageBoxes(int &count)
{
    ui::setMessageBoxHandler([&count](const ui::MessageBoxRequest &request) {
        ++count;
        std::fprintf(stderr, "%s: message box \"%s\": %s\n", program_invocation_short_name,
                     request.caption.c_str(), request.text.c_str());
        return ui::IDOK;
    });
}

} // namespace bench
