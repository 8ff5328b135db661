#include "tests/fakes/fake_version_records.h"

#include <cstring>

std::string FakeVersionRecords::Translations(
    const std::vector<std::pair<unsigned, unsigned>>& entries)
{
    std::string bytes;
    for (const auto& entry : entries) {
        const unsigned char raw[4] = {
            static_cast<unsigned char>(entry.first & 0xFF), static_cast<unsigned char>(entry.first >> 8),
            static_cast<unsigned char>(entry.second & 0xFF), static_cast<unsigned char>(entry.second >> 8)};
        bytes.append(reinterpret_cast<const char*>(raw), 4);
    }
    return bytes;
}

unsigned long FakeVersionRecords::GetSize(const char* path, unsigned long* handle)
{
    *handle = 0;
    const auto record = m_records.find(path);
    if (record == m_records.end())
        return 0;
    // Large enough to be a real record: several kilobytes.
    return 4096;
}

bool FakeVersionRecords::Read(const char* path, unsigned long, unsigned long size, void* block)
{
    const auto record = m_records.find(path);
    if (record == m_records.end() || m_unreadable.count(path))
        return false;
    std::memset(block, 0, size);
    m_lastRead = &record->second;
    m_lastBlock = block;
    return true;
}

bool FakeVersionRecords::Query(const void* block, const char* subBlock, const void** value,
                               unsigned* length)
{
    queries.push_back(subBlock);
    if (block != m_lastBlock || !m_lastRead)
        return false;
    const auto found = m_lastRead->find(subBlock);
    if (found == m_lastRead->end())
        return false;
    *value = found->second.data();
    *length = static_cast<unsigned>(found->second.size());
    return true;
}
