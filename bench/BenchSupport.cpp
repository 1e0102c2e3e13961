#include "BenchSupport.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace bench {

ProgramEnvironment::ProgramEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    qputenv("TARVIL_WINDIR", m_windowsDirectory.path().toLocal8Bit());
}

namespace {

[[noreturn]] void Fail(const std::string &what)
{
    std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name, what.c_str(),
                 std::strerror(errno));
    std::exit(1);
}

// Reads what `fd` offers into `buffered` until a whole line is there; nullopt at the end of the
// input or when `timeoutMs` passed first. `ended` is set at the end of the input.
std::optional<std::string> ReadLineFrom(int fd, std::string &buffered, int timeoutMs, bool &ended)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto end = buffered.find('\n'); end != std::string::npos) {
            std::string line = buffered.substr(0, end);
            buffered.erase(0, end + 1);
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd watched{fd, POLLIN, 0};
        if (::poll(&watched, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
            return std::nullopt;
        char chunk[256];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) {
            ended = true;
            return std::nullopt;
        }
        buffered.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

double Microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

double ProcessCpuMicroseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

Summary Summarize(std::vector<double> samples)
{
    Summary summary;
    if (samples.empty())
        return summary;
    std::sort(samples.begin(), samples.end());
    // Nearest rank: the smallest sample with at least that share of the samples at or below it.
    const auto rank = [&](double share) {
        const auto index = static_cast<std::size_t>(share * static_cast<double>(samples.size()));
        return samples[std::min(index, samples.size() - 1)];
    };
    summary.count = samples.size();
    summary.min = samples.front();
    summary.median = rank(0.5);
    summary.p90 = rank(0.9);
    summary.p99 = rank(0.99);
    summary.max = samples.back();
    return summary;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

sockaddr_in Address(const char *dotted, unsigned short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    ::inet_pton(AF_INET, dotted, &address.sin_addr);
    return address;
}

int BoundUdpSocket(unsigned short port, int receiveTimeoutMs)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        Fail("socket");
    sockaddr_in local = Address("0.0.0.0", port);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0)
        Fail("bind to port " + std::to_string(port));
    const timeval timeout{receiveTimeoutMs / 1000, (receiveTimeoutMs % 1000) * 1000};
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0)
        Fail("receive time-out");
    return fd;
}

FarProcess::FarProcess(const std::string &namespacePath, const std::vector<std::string> &arguments)
{
    // Everything the child needs is made before fork: between fork and exec it only makes
    // system calls.
    char self[PATH_MAX];
    const ssize_t selfLength = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (selfLength <= 0)
        Fail("own program path");
    self[selfLength] = '\0';
    std::vector<char *> argv{self};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    const int network = ::open(namespacePath.c_str(), O_RDONLY | O_CLOEXEC);
    int toChild[2], fromChild[2];
    if (network < 0 || ::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
        Fail("far process set-up");
    // The child takes the signals that the benchmark's own process keeps for its signal thread.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    std::fflush(nullptr);
    m_pid = ::fork();
    if (m_pid < 0)
        Fail("fork");
    if (m_pid == 0) {
        if (::sigprocmask(SIG_SETMASK, &noSignals, nullptr) != 0 ||
            ::setns(network, CLONE_NEWNET) != 0 || ::dup2(toChild[0], STDIN_FILENO) < 0 ||
            ::dup2(fromChild[1], STDOUT_FILENO) < 0)
            ::_exit(127);
        ::execv(self, argv.data());
        ::_exit(127);
    }
    ::close(network);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_toChild = toChild[1];
    m_fromChild = fromChild[0];
}

FarProcess::~FarProcess()
{
    Finish();
}

std::optional<std::string> FarProcess::ReadLine(int timeoutMs)
{
    bool ended = false;
    return ReadLineFrom(m_fromChild, m_buffered, timeoutMs, ended);
}

void FarProcess::WaitUntilReady()
{
    if (ReadLine(10000) != "ready")
        Fail("the far process did not start");
}

void FarProcess::WriteLine(std::string_view line)
{
    const std::string text = std::string(line) + '\n';
    if (::write(m_toChild, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        Fail("writing to the far process");
}

bool FarProcess::Finish()
{
    if (m_pid <= 0)
        return true;
    ::close(m_toChild);
    int status = 0;
    bool ended = false;
    for (int waited = 0; waited < 500 && !ended; ++waited) {
        ended = ::waitpid(m_pid, &status, WNOHANG) == m_pid;
        if (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!ended) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
    }
    ::close(m_fromChild);
    m_pid = -1;
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void SayToParent(std::string_view line)
{
    const std::string text = std::string(line) + '\n';
    if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::exit(1);
}

std::optional<std::string> ReadParentLine(int timeoutMs, bool &finished)
{
    static std::string buffered;
    return ReadLineFrom(STDIN_FILENO, buffered, timeoutMs, finished);
}

} // namespace bench
