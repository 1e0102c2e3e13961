#pragma once

#include <array>
#include <string_view>

// Every section, key, stored word and default of the settings file. The spellings are the ones
// earlier files and peers use, misspellings included.
namespace keys {

// Event names: the keys of "Sounds" and "Disabled Sounds".
inline constexpr std::string_view kStartUp = "Start Up";
inline constexpr std::string_view kExit = "Exit";
inline constexpr std::string_view kSendPage = "Send Page";
inline constexpr std::string_view kReceivePage = "Recieve Page";
inline constexpr std::string_view kStartChat = "Start Chat";
inline constexpr std::string_view kReceiveChat = "Recieve Chat";
inline constexpr std::string_view kTerminateChat = "Terminate Chat";
inline constexpr std::string_view kAccessMemory = "Access Memory";
inline constexpr std::string_view kDeliveryReceipt = "Delivery Receipt";
inline constexpr std::string_view kReadReceipt = "Read Receipt";
inline constexpr std::array<std::string_view, 10> kEventNames = {
    kStartUp,     kExit,          kSendPage,     kReceivePage,     kStartChat,
    kReceiveChat, kTerminateChat, kAccessMemory, kDeliveryReceipt, kReadReceipt};

// "Sounds": each event's WAV file (absent: the event plays nothing), and the first-run marker.
inline constexpr std::string_view kSounds = "Sounds";
inline constexpr std::string_view kInitialExecution = "Initial Execution";
inline constexpr std::string_view kInitialExecutionDone = "False";

// "Disabled Sounds": an event name with any non-empty value switches that event's sound off;
// "All" switches every sound off (the rule is kAllSoundsOff below).
inline constexpr std::string_view kDisabledSounds = "Disabled Sounds";
inline constexpr std::string_view kAll = "All";
inline constexpr std::string_view kEventDisabled = "Disabled";

// "Balloon Help": whether balloons show (kBalloonsOff) and after how many seconds (kBalloonDelay).
inline constexpr std::string_view kBalloonHelp = "Balloon Help";
inline constexpr std::string_view kEnabled = "Enabled";
inline constexpr std::string_view kBalloonOn = "TRUE";
inline constexpr std::string_view kDelay = "Delay";

// "Chat Colors": 0x00BBGGRR values for the message text boxes.
inline constexpr std::string_view kChatColors = "Chat Colors";
inline constexpr std::string_view kForeground = "Foreground";
inline constexpr std::string_view kBackground = "Background";

// "IP Addresses": the address memory, entries "IP-1" … "IP-n" with n = "Total IPs".
inline constexpr std::string_view kIpAddresses = "IP Addresses";
inline constexpr std::string_view kTotalIps = "Total IPs";
inline constexpr int kDefaultTotalIps = 0;
inline constexpr std::string_view kIpPrefix = "IP-";

// "Alias": each key is an alias name, its value what the alias stands for.
inline constexpr std::string_view kAlias = "Alias";

// The settings whose stored text is read by a rule, each bound here to its place and rule;
// Settings::isOn and Settings::number apply them, so no caller compares stored words itself.

// A switch that is on exactly when the stored value is `word`, compared with case.
struct WordSwitch {
    std::string_view section;
    std::string_view key;
    std::string_view word;
};
// "True" and nothing else switches every event sound off ("true" does not).
inline constexpr WordSwitch kAllSoundsOff{kDisabledSounds, kAll, "True"};
// "FALSE" and nothing else switches balloon help off; an absent key leaves it on.
inline constexpr WordSwitch kBalloonsOff{kBalloonHelp, kEnabled, "FALSE"};

// A number that may be unset: an absent key reads as `unset`, and so does that value stored.
struct OptionalNumber {
    std::string_view section;
    std::string_view key;
    int unset;
};
// Seconds of mouse rest before a balloon shows; 100 leaves the system's own delay.
inline constexpr OptionalNumber kBalloonDelay{kBalloonHelp, kDelay, 100};
// -1 keeps a text box's own colour; 0 is black.
inline constexpr OptionalNumber kChatForeground{kChatColors, kForeground, -1};
inline constexpr OptionalNumber kChatBackground{kChatColors, kBackground, -1};

} // namespace keys
