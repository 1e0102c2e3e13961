#include "paging/PendingPayloads.h"

#include <algorithm>

namespace page {

const char *PendingPayloads::hold(std::string_view payload)
{
    Entry &entry = m_entries.emplace_back();
    entry.bytes.assign(payload);
    entry.bytes.push_back('\0');
    return entry.bytes.data();
}

void PendingPayloads::queued(const char *bytes)
{
    if (auto entry = find(reinterpret_cast<std::uintptr_t>(bytes)); entry != m_entries.end())
        ++entry->holds;
}

void PendingPayloads::release(const char *bytes)
{
    drop(find(reinterpret_cast<std::uintptr_t>(bytes)));
}

std::string PendingPayloads::finished(std::uintptr_t bytes)
{
    auto entry = find(bytes);
    if (entry == m_entries.end())
        return {};
    std::string text(entry->bytes.data()); // up to the terminating zero byte
    drop(entry);
    return text;
}

std::list<PendingPayloads::Entry>::iterator PendingPayloads::find(std::uintptr_t bytes)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [bytes](const Entry &entry) {
        return reinterpret_cast<std::uintptr_t>(entry.bytes.data()) == bytes;
    });
}

void PendingPayloads::drop(std::list<Entry>::iterator entry)
{
    if (entry != m_entries.end() && --entry->holds == 0)
        m_entries.erase(entry);
}

} // namespace page
