#include "platform/sound/SdlSoundPlayer.h"

#include "tools/wavgen/WavEncoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using sound::SdlSoundPlayer;
using sound::SND_ASYNC;
using sound::SND_SYNC;

constexpr int kDeviceRate = 44100;

// Test sounds hold one steady level each, so the level found in what the device played tells
// which file it was.
constexpr std::int16_t kCurrentLevel = 4000;
constexpr std::int16_t kWindowsLevel = 8000;
constexpr std::int16_t kBundledLevel = 12000;
constexpr std::int16_t kDefaultLevel = 16000;
constexpr std::int16_t kPathLevel = 20000;

void writeFile(const fs::path &path, const std::string &bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string levelWav(std::int16_t level, double seconds)
{
    return wavgen::encodeWav(
        std::vector<std::int16_t>(static_cast<std::size_t>(seconds * 22050), level), 22050);
}

// Each case runs in a folder of its own that holds the current directory, the Windows directory
// and the bundled sounds folder, with SDL's disk driver writing what is played to a file as it
// plays it, at the pace of a real device. SDL reads its environment when the player starts the
// audio subsystem, and the player stops it again when destroyed, so every player below sees the
// environment set here.
class SdlSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousDirectory = fs::current_path();
        ASSERT_TRUE(m_root.isValid());
        m_folder = QFile::encodeName(m_root.path()).toStdString();
        fs::create_directories(current());
        fs::create_directories(windows());
        fs::create_directories(bundled());
        fs::current_path(current());
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output().c_str(), 1);
        setenv("TARVIL_SOUNDS_DIR", bundled().c_str(), 1);
        writeFile(bundled() / "default.wav", levelWav(kDefaultLevel, 0.2));
    }

    void TearDown() override
    {
        fs::current_path(m_previousDirectory);
        for (const char *name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "TARVIL_SOUNDS_DIR"})
            unsetenv(name);
    }

    fs::path current() const { return m_folder / "current"; }
    fs::path windows() const { return m_folder / "windows"; }
    fs::path bundled() const { return m_folder / "bundled"; }
    fs::path output() const { return m_folder / "device.raw"; }

    // Plays with a player of its own, which is gone (its output complete) on return.
    bool play(const std::string &file)
    {
        SdlSoundPlayer player(windows());
        return player.sndPlaySound(file, SND_SYNC);
    }

    // Frames the device played at each level, to the nearest hundred; silence left out.
    std::map<int, std::size_t> heard() const
    {
        std::ifstream in(output(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        std::map<int, std::size_t> frames;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 4) {
            const auto sample =
                static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
            const int level = (sample + 50) / 100 * 100;
            if (level != 0)
                ++frames[level];
        }
        return frames;
    }

    // Waits until the device has played something at `level`; bounded only as a failure guard.
    bool waitUntilHeard(int level) const
    {
        for (int i = 0; i < 1000 && heard()[level] == 0; ++i)
            std::this_thread::sleep_for(10ms);
        return heard()[level] > 0;
    }

    // The level played longest.
    int heardLevel() const
    {
        int loudest = 0;
        std::size_t longest = 0;
        for (const auto &[level, frames] : heard()) {
            if (frames > longest) {
                loudest = level;
                longest = frames;
            }
        }
        return loudest;
    }

private:
    QTemporaryDir m_root;
    fs::path m_folder;
    fs::path m_previousDirectory;
};

TEST_F(SdlSoundPlayerTest, SynchronousPlayReturnsWhenTheSoundHasPlayed)
{
    writeFile(current() / "short.wav", levelWav(kCurrentLevel, 0.3));
    EXPECT_TRUE(play("short.wav"));
    EXPECT_GE(heard()[kCurrentLevel], static_cast<std::size_t>(0.25 * kDeviceRate));
}

TEST_F(SdlSoundPlayerTest, AsynchronousPlayReturnsAtOnceAndTheNextSoundCutsItOff)
{
    constexpr double kLongSeconds = 20.0;
    writeFile(current() / "long.wav", levelWav(kCurrentLevel, kLongSeconds));
    writeFile(current() / "short.wav", levelWav(kWindowsLevel, 0.3));
    {
        SdlSoundPlayer player(windows());
        EXPECT_TRUE(player.sndPlaySound("long.wav", SND_ASYNC));
        // The long sound has begun; lasting twenty seconds, it still plays when the short one
        // cuts in.
        ASSERT_TRUE(waitUntilHeard(kCurrentLevel));
        EXPECT_TRUE(player.sndPlaySound("short.wav", SND_SYNC));
    }
    auto frames = heard();
    EXPECT_GT(frames[kCurrentLevel], 0u);
    EXPECT_LT(frames[kCurrentLevel], static_cast<std::size_t>(kLongSeconds / 2 * kDeviceRate))
        << "the first call returned before its sound had played, and the second cut it off";
    EXPECT_GE(frames[kWindowsLevel], static_cast<std::size_t>(0.25 * kDeviceRate));
}

TEST_F(SdlSoundPlayerTest, BareNameIsSearchedInCurrentThenWindowsThenBundledFolder)
{
    writeFile(current() / "page.wav", levelWav(kCurrentLevel, 0.2));
    writeFile(windows() / "page.wav", levelWav(kWindowsLevel, 0.2));
    writeFile(bundled() / "page.wav", levelWav(kBundledLevel, 0.2));
    EXPECT_TRUE(play("page.wav"));
    EXPECT_EQ(heardLevel(), kCurrentLevel);

    fs::remove(current() / "page.wav");
    EXPECT_TRUE(play("page.wav"));
    EXPECT_EQ(heardLevel(), kWindowsLevel);

    fs::remove(windows() / "page.wav");
    EXPECT_TRUE(play("page.wav"));
    EXPECT_EQ(heardLevel(), kBundledLevel);
}

TEST_F(SdlSoundPlayerTest, NameWithAFolderIsUsedAsItIs)
{
    writeFile(current() / "chosen" / "page.wav", levelWav(kPathLevel, 0.2));
    writeFile(windows() / "elsewhere" / "page.wav", levelWav(kWindowsLevel, 0.2));
    EXPECT_TRUE(play((current() / "chosen" / "page.wav").string()));
    EXPECT_EQ(heardLevel(), kPathLevel);
    EXPECT_TRUE(play("chosen/page.wav"));
    EXPECT_EQ(heardLevel(), kPathLevel);
    // A relative path is taken from the current directory only, never searched for.
    EXPECT_TRUE(play("elsewhere/page.wav"));
    EXPECT_EQ(heardLevel(), kDefaultLevel);
}

TEST_F(SdlSoundPlayerTest, MissingOrUnplayableFilePlaysTheDefault)
{
    const std::string wav = levelWav(kCurrentLevel, 0.2);
    writeFile(current() / "text.wav", "This is not a sound at all.\r\n");
    writeFile(current() / "header.wav", wav.substr(0, 20));
    writeFile(current() / "truncated.wav", wav.substr(0, wav.size() / 2));
    writeFile(current() / "empty.wav", "");
    // Five minutes at 100 frames a second: small on disk, too long to convert whole.
    writeFile(current() / "long.wav",
              wavgen::encodeWav(std::vector<std::int16_t>(30001, 1000), 100));
    fs::create_directories(current() / "folder.wav");
    // Reading a pipe would wait for a writer for ever.
    ASSERT_EQ(mkfifo((current() / "pipe.wav").c_str(), 0600), 0);
    for (const char *name : {"missing.wav", "text.wav", "header.wav", "truncated.wav", "empty.wav",
                             "long.wav", "folder.wav", "./pipe.wav", ""}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(play(name));
        EXPECT_EQ(heardLevel(), kDefaultLevel);
    }
}

TEST_F(SdlSoundPlayerTest, DefaultFoundBesideTheProgramWhenNoFolderIsGiven)
{
    // Test programs live one folder below the build tree, as the program does in bin/, so the
    // build's own sounds are found the way an installed program finds them.
    unsetenv("TARVIL_SOUNDS_DIR");
    EXPECT_TRUE(play("missing.wav"));
    EXPECT_NE(heardLevel(), 0);
}

TEST_F(SdlSoundPlayerTest, ReportsFailureWhenNothingCanBePlayed)
{
    writeFile(current() / "page.wav", levelWav(kCurrentLevel, 0.2));
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(play("page.wav"));

    setenv("SDL_AUDIODRIVER", "disk", 1);
    fs::remove(bundled() / "default.wav");
    EXPECT_FALSE(play("missing.wav"));
    EXPECT_TRUE(play("page.wav"));
}

TEST_F(SdlSoundPlayerTest, LeavesTheProgramsSignalsAlone)
{
    // The program must still end when asked to while the sound device is open.
    writeFile(current() / "page.wav", levelWav(kCurrentLevel, 0.2));
    SdlSoundPlayer player(windows());
    EXPECT_TRUE(player.sndPlaySound("page.wav", SND_ASYNC));
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}

} // namespace
