#include "tests/fakes/fake_version_records.h"

#include <cstring>

namespace {
// Values start this far into the block, so that a lookup must search the whole
// record rather than its first bytes.
const unsigned long kFirstValue = 3000;
const unsigned long kSmallestRecord = 4096;
}  // namespace

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

unsigned long FakeVersionRecords::SizeOf(const Record& record)
{
    unsigned long needed = kFirstValue;
    for (const auto& value : record.values)
        needed += static_cast<unsigned long>(value.second.size()) + 1;
    return needed < kSmallestRecord ? kSmallestRecord : needed;
}

unsigned long FakeVersionRecords::GetSize(const char* path, unsigned long* handle)
{
    sized.push_back(path);
    *handle = 0;
    const auto record = m_records.find(path);
    return record == m_records.end() ? 0 : SizeOf(record->second);
}

bool FakeVersionRecords::Read(const char* path, unsigned long, unsigned long size, void* block)
{
    const auto record = m_records.find(path);
    if (record == m_records.end() || m_unreadable.count(path) || size != SizeOf(record->second))
        return false;
    auto* bytes = static_cast<char*>(block);
    std::memset(bytes, 0x20, size);
    m_offsets.clear();
    unsigned long at = kFirstValue;
    for (const auto& value : record->second.values) {
        const bool last = value.first == record->second.atEnd;
        const unsigned long offset = last ? size - value.second.size() : at;
        std::memcpy(bytes + offset, value.second.data(), value.second.size());
        if (!last) {
            bytes[offset + value.second.size()] = '\0';
            at += static_cast<unsigned long>(value.second.size()) + 1;
        }
        m_offsets[value.first] = offset;
    }
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
    const auto found = m_offsets.find(subBlock);
    if (found == m_offsets.end())
        return false;
    *value = static_cast<const char*>(block) + found->second;
    *length = static_cast<unsigned>(m_lastRead->values.at(subBlock).size());
    return true;
}
