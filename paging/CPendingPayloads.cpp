#include "paging/CPendingPayloads.h"

#include <algorithm>

const char *CPendingPayloads::Hold(std::string_view payload)
{
    Entry &entry = m_entries.emplace_back();
    entry.bytes.assign(payload);
    entry.bytes.push_back('\0');
    return entry.bytes.data();
}

void CPendingPayloads::Queued(const char *bytes)
{
    if (auto entry = Find(reinterpret_cast<std::uintptr_t>(bytes)); entry != m_entries.end())
        ++entry->holds;
}

void CPendingPayloads::Release(const char *bytes)
{
    Drop(Find(reinterpret_cast<std::uintptr_t>(bytes)));
}

std::string CPendingPayloads::Finished(std::uintptr_t bytes)
{
    auto entry = Find(bytes);
    if (entry == m_entries.end())
        return {};
    std::string text(entry->bytes.data()); // up to the terminating zero byte
    Drop(entry);
    return text;
}

std::list<CPendingPayloads::Entry>::iterator CPendingPayloads::Find(std::uintptr_t bytes)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [bytes](const Entry &entry) {
        return reinterpret_cast<std::uintptr_t>(entry.bytes.data()) == bytes;
    });
}

void CPendingPayloads::Drop(std::list<Entry>::iterator entry)
{
    if (entry != m_entries.end() && --entry->holds == 0)
        m_entries.erase(entry);
}
