#pragma once

// Private networks for tests that bind the program's fixed ports. Needs root; tests skip
// themselves without it.

#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testnet {

inline void bringLoopbackUp()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    if (fd >= 0 && ::ioctl(fd, SIOCGIFFLAGS, &request) == 0) {
        request.ifr_flags |= IFF_UP | IFF_RUNNING;
        ::ioctl(fd, SIOCSIFFLAGS, &request);
    }
    if (fd >= 0)
        ::close(fd);
}

// Moves the calling thread (and the threads it starts later) into a network of its own with
// only a loopback interface, once per process. False when that is not allowed.
inline bool EnterPrivateNetwork()
{
    static const bool entered = [] {
        if (::unshare(CLONE_NEWNET) != 0)
            return false;
        bringLoopbackUp();
        return true;
    }();
    return entered;
}

// Two named network namespaces joined by a virtual cable: the calling thread moves into "near"
// (198.18.0.1), and sockets can be opened in "far" (198.18.0.2), standing for another machine.
// Both exist only for this process and are removed with it. The addresses come from the range
// set aside for network benchmarks; nothing leaves the two namespaces.
class LinkedNamespaces {
public:
    static constexpr const char *kNearAddress = "198.18.0.1";
    static constexpr const char *kFarAddress = "198.18.0.2";

    // Null when the namespaces cannot be made (not root, no ip command).
    static LinkedNamespaces *get()
    {
        static LinkedNamespaces *instance = [] {
            auto *made = new LinkedNamespaces;
            if (!made->create()) {
                delete made;
                return static_cast<LinkedNamespaces *>(nullptr);
            }
            return made;
        }();
        return instance;
    }

    const std::string &farName() const { return m_far; }

    // A UDP socket bound to `port` in the far namespace; -1 on failure.
    int farUdpSocket(unsigned short port) const
    {
        int result = -1;
        std::thread([&] {
            const int ns = ::open(("/var/run/netns/" + m_far).c_str(), O_RDONLY | O_CLOEXEC);
            if (ns < 0 || ::setns(ns, CLONE_NEWNET) != 0) {
                if (ns >= 0)
                    ::close(ns);
                return;
            }
            ::close(ns);
            const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(port);
            ::inet_pton(AF_INET, kFarAddress, &address.sin_addr);
            if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
                result = fd;
            else if (fd >= 0)
                ::close(fd);
        }).join();
        return result;
    }

private:
    static bool run(const std::string &command)
    {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }

    bool create()
    {
        const std::string id = std::to_string(::getpid());
        m_near = "tarvil-near-" + id;
        m_far = "tarvil-far-" + id;
        const std::string nearLink = "tvn" + id, farLink = "tvf" + id;
        if (!run("ip netns add " + m_near) || !run("ip netns add " + m_far))
            return remove(), false;
        std::atexit([] {
            if (LinkedNamespaces *self = get())
                self->remove();
        });
        const bool linked =
            run("ip link add " + nearLink + " netns " + m_near + " type veth peer name " + farLink +
                " netns " + m_far) &&
            run("ip -n " + m_near + " addr add " + kNearAddress + "/30 dev " + nearLink) &&
            run("ip -n " + m_far + " addr add " + kFarAddress + "/30 dev " + farLink) &&
            run("ip -n " + m_near + " link set " + nearLink + " up") &&
            run("ip -n " + m_far + " link set " + farLink + " up") &&
            run("ip -n " + m_near + " link set lo up") && run("ip -n " + m_far + " link set lo up");
        if (!linked)
            return remove(), false;
        const int ns = ::open(("/var/run/netns/" + m_near).c_str(), O_RDONLY | O_CLOEXEC);
        const bool entered = ns >= 0 && ::setns(ns, CLONE_NEWNET) == 0;
        if (ns >= 0)
            ::close(ns);
        if (!entered)
            return remove(), false;
        return true;
    }

    void remove()
    {
        run("ip netns del " + m_near);
        run("ip netns del " + m_far);
    }

    std::string m_near;
    std::string m_far;
};

} // namespace testnet
