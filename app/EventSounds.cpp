#include "app/EventSounds.h"

#include "app/Settings.h"
#include "platform/sound/SoundPlayer.h"

#include <array>
#include <string>
#include <utility>

namespace {

// Event and default file, in the order a first run writes them; files written by earlier
// versions list the sections in this order.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kDefaultFiles{{
    {keys::kStartUp, "tarvil.wav"},
    {keys::kExit, "pageexit.wav"},
    {keys::kSendPage, "pagesent.wav"},
    {keys::kReceivePage, "beep.wav"},
    {keys::kReceiveChat, "chatlink.wav"},
    {keys::kTerminateChat, "lostchat.wav"},
    {keys::kStartChat, "newchat.wav"},
    {keys::kAccessMemory, "memory.wav"},
    {keys::kDeliveryReceipt, "delivery.wav"},
    {keys::kReadReceipt, "read.wav"},
}};

} // namespace

namespace app {

EventSounds::EventSounds(Settings &settings, sound::SoundPlayer &player)
    : m_settings(settings), m_player(player), m_soundsEnabled(!settings.isOn(keys::kAllSoundsOff))
{}

void EventSounds::PlayEventSound(std::string_view eventName, Mode mode)
{
    if (m_soundsEnabled)
        playUnlessSwitchedOff(eventName, mode);
}

void EventSounds::PlayReceiptSound(std::string_view eventName)
{
    if (!m_settings.isOn(keys::kAllSoundsOff))
        playUnlessSwitchedOff(eventName, Mode::Asynchronous);
}

bool EventSounds::PlayFile(const std::string &file)
{
    return m_player.sndPlaySound(file, sound::SND_SYNC);
}

void EventSounds::playUnlessSwitchedOff(std::string_view eventName, Mode mode)
{
    if (m_settings.eventSoundSwitchedOff(eventName))
        return;
    const std::string file = m_settings.eventSoundFile(eventName);
    if (file.empty())
        return;
    m_player.sndPlaySound(file, mode == Mode::Synchronous ? sound::SND_SYNC : sound::SND_ASYNC);
}

void EventSounds::writeFirstRunDefaults()
{
    if (!m_settings.GetString(keys::kSounds, keys::kInitialExecution).empty())
        return;
    for (const auto &[eventName, file] : kDefaultFiles)
        m_settings.WriteString(keys::kSounds, eventName, file);
    m_settings.WriteString(keys::kSounds, keys::kInitialExecution, keys::kInitialExecutionDone);
}

} // namespace app
