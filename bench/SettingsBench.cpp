// The settings' share of the program's start: the address memory read through
// app::Settings::addressList() and one more setting read with GetString, from a settings file
// holding 10,000 remembered addresses, against the same file holding none.
//
// Usage: settings_bench [--addresses N] [--samples N]

#include "BenchSupport.h"
#include "app/Settings.h"
#include "platform/file/AtomicFile.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace bench;

struct Options {
    int addresses = 10000;
    int samples = 200;
};

// A settings file as a user's looks: sounds, balloon help and chat colours, and an address
// memory of `addresses` entries.
QByteArray SettingsFile(int addresses)
{
    std::string text = "[Sounds]\r\n";
    for (const char *event : {"Start Up", "Exit", "Send Page", "Receive Page", "Start Chat",
                              "Terminate Chat", "Delivered", "Read", "Chat Line", "Error"})
        text += std::string(event) + "=C:\\WINDOWS\\MEDIA\\" + event + ".WAV\r\n";
    text += "[Balloon Help]\r\nEnabled=True\r\nDelay=1\r\n[Chat Colors]\r\nForeground=0\r\n"
            "Background=16777215\r\n[IP Addresses]\r\nTotal IPs=" +
            std::to_string(addresses) + "\r\n";
    for (int number = 1; number <= addresses; ++number)
        text += "IP-" + std::to_string(number) + "=192.168." + std::to_string(number / 250) + '.' +
                std::to_string(number % 250 + 1) + "\r\n";
    return QByteArray::fromStdString(text);
}

// One start's reads, in microseconds. The file is first replaced by a copy of itself, which the
// settings see as a change on disk, as a start of the program sees a file it never read.
double StartReads(const QString &path, const QByteArray &contents, bool changed)
{
    if (changed && !file::writeAtomically(path, contents)) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        std::exit(1);
    }
    const app::Settings settings(path.toStdString());
    const Clock::time_point start = Clock::now();
    const std::size_t entries = settings.addressList().size();
    const std::string exitSound = settings.GetString("Sounds", "Exit");
    const double elapsed = Microseconds(Clock::now() - start);
    if (exitSound.empty() || entries != static_cast<std::size_t>(contents.count("\nIP-"))) {
        std::fprintf(stderr, "the settings read back wrong\n");
        std::exit(1);
    }
    return elapsed;
}

void Print(const char *what, const Summary &summary)
{
    std::printf("%-32s %6zu %10.1f %10.1f %10.1f %10.1f\n", what, summary.count, summary.min,
                summary.median, summary.p90, summary.p99);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--addresses") == 0)
            options.addresses = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--samples") == 0)
            options.samples = std::atoi(argv[i + 1]);
    }
    const QTemporaryDir folder;
    const QString none = folder.filePath(QStringLiteral("none.INI"));
    const QString many = folder.filePath(QStringLiteral("many.INI"));
    const QByteArray noneFile = SettingsFile(0);
    const QByteArray manyFile = SettingsFile(options.addresses);

    // Alternating, so that what else the machine does falls on both.
    std::vector<double> noneStart, manyStart, noneAgain, manyAgain;
    for (int sample = 0; sample < options.samples; ++sample) {
        noneStart.push_back(StartReads(none, noneFile, true));
        manyStart.push_back(StartReads(many, manyFile, true));
        noneAgain.push_back(StartReads(none, noneFile, false));
        manyAgain.push_back(StartReads(many, manyFile, false));
    }

    std::printf("%d addresses (%lld bytes) against none (%lld bytes), microseconds\n",
                options.addresses, static_cast<long long>(manyFile.size()),
                static_cast<long long>(noneFile.size()));
    std::printf("%-32s %6s %10s %10s %10s %10s\n", "reads", "runs", "min", "median", "p90", "p99");
    const Summary startNone = Summarize(noneStart);
    const Summary startMany = Summarize(manyStart);
    Print("start, no addresses", startNone);
    Print("start, with addresses", startMany);
    Print("again unchanged, no addresses", Summarize(noneAgain));
    Print("again unchanged, with addresses", Summarize(manyAgain));
    std::printf("start with / without, medians: %.1fx\n", startMany.median / startNone.median);
    return 0;
}
