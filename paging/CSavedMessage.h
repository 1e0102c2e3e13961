#pragma once

#include <string>

// One kept page: what its page window showed and where a reply goes. ANSI text of any length,
// line breaks as CR LF.
class CSavedMessage {
public:
    CSavedMessage() = default;
    CSavedMessage(std::string title, std::string text, std::string sender);

    bool operator==(const CSavedMessage &) const = default;

    std::string m_title;  // sender (or host name and address) and the time of arrival
    std::string m_text;   // the message text
    std::string m_sender; // the address to reply to: dotted address or host name
};
