#include "paging/CSavedMessage.h"

#include <utility>

CSavedMessage::CSavedMessage(std::string title, std::string text, std::string sender)
    : m_title(std::move(title)), m_text(std::move(text)), m_sender(std::move(sender))
{}
