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

// "Disabled Sounds": "All" = "True" switches every sound off (the comparison is exact); an event
// name with any non-empty value switches that event's sound off.
inline constexpr std::string_view kDisabledSounds = "Disabled Sounds";
inline constexpr std::string_view kAll = "All";
inline constexpr std::string_view kAllDisabled = "True";
inline constexpr std::string_view kEventDisabled = "Disabled";

// "Balloon Help": only the exact "FALSE" switches balloons off. The delay is in seconds; the
// default means "leave the system's own delay".
inline constexpr std::string_view kBalloonHelp = "Balloon Help";
inline constexpr std::string_view kEnabled = "Enabled";
inline constexpr std::string_view kBalloonOn = "TRUE";
inline constexpr std::string_view kBalloonOff = "FALSE";
inline constexpr std::string_view kDelay = "Delay";
inline constexpr int kDefaultDelay = 100;

// "Chat Colors": 0x00BBGGRR values; kColorNotSet keeps the text box's own colour.
inline constexpr std::string_view kChatColors = "Chat Colors";
inline constexpr std::string_view kForeground = "Foreground";
inline constexpr std::string_view kBackground = "Background";
inline constexpr int kColorNotSet = -1;

// "IP Addresses": the address memory, entries "IP-1" … "IP-n" with n = "Total IPs".
inline constexpr std::string_view kIpAddresses = "IP Addresses";
inline constexpr std::string_view kTotalIps = "Total IPs";
inline constexpr int kDefaultTotalIps = 0;
inline constexpr std::string_view kIpPrefix = "IP-";

// "Alias": each key is an alias name, its value what the alias stands for.
inline constexpr std::string_view kAlias = "Alias";

} // namespace keys
