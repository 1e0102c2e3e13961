#pragma once

// What the page path benchmarks share: timing summaries, plain UDP sockets, and the far end of
// the private network, which runs as a child process of the benchmark in the far namespace.

#include <QTemporaryDir>
#include <chrono>
#include <cstddef>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace bench {

// The process set up as the program runs in the benchmarks: the offscreen platform, the event
// dispatcher the program uses (see app/main.cpp), and a Windows directory of its own for its
// settings and registrations, for as long as the object lives.
class ProgramEnvironment {
public:
    ProgramEnvironment();

private:
    QTemporaryDir m_windowsDirectory;
};

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration);
// CPU time used so far by the whole process, every thread included.
double ProcessCpuMicroseconds();

struct Summary {
    std::size_t count = 0;
    double min = 0, median = 0, p90 = 0, p99 = 0, max = 0;
};
Summary Summarize(std::vector<double> samples);
// The median of a few figures (middle value, or the mean of the two middle ones).
double Median(std::vector<double> values);

// A blocking UDP socket bound to `port` on every local address of the calling thread's network;
// exits the benchmark when that fails. A receive waits at most `receiveTimeoutMs`.
int BoundUdpSocket(unsigned short port, int receiveTimeoutMs);
// The IPv4 address and port as a socket address.
sockaddr_in Address(const char *dotted, unsigned short port);

// A copy of this benchmark program started in another network namespace to play one role there.
// It talks back by lines on its standard output and stops when its standard input closes.
class FarProcess {
public:
    FarProcess(const std::string &namespacePath, const std::vector<std::string> &arguments);
    ~FarProcess();
    FarProcess(const FarProcess &) = delete;
    FarProcess &operator=(const FarProcess &) = delete;

    // The next line the child writes, without its line end; empty when none came in time.
    std::optional<std::string> ReadLine(int timeoutMs);
    // Waits for the child's "ready"; exits the benchmark when it does not come.
    void WaitUntilReady();
    void WriteLine(std::string_view line);
    // Closes the child's input and waits for it to end (killing it after a few seconds); true
    // when it ended by itself with status 0.
    bool Finish();

private:
    pid_t m_pid = -1;
    int m_toChild = -1;
    int m_fromChild = -1;
    std::string m_buffered;
};

// The child's side of that conversation.
void SayToParent(std::string_view line);
// The next line from the parent; nullopt when none came within `timeoutMs`. `finished` turns
// true once the parent has closed our input.
std::optional<std::string> ReadParentLine(int timeoutMs, bool &finished);

} // namespace bench
