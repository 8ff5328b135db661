// Version records as a table: per path, the values that queries find, keyed by
// sub-block path. A path without an entry has no record.
#pragma once

#include "platform/version_records.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class FakeVersionRecords : public VersionRecords {
public:
    // A record for path; values maps sub-block paths to their raw bytes. Read
    // lays each value, NUL-terminated, deep inside a block of several
    // kilobytes, and queries point into that block, as real records do.
    void AddRecord(const std::string& path, const std::map<std::string, std::string>& values)
    {
        m_records[path] = Record{values, std::string()};
    }
    // Lays the value of subBlock as the last bytes of path's block, with no
    // NUL after it.
    void PlaceAtBlockEnd(const std::string& path, const std::string& subBlock)
    {
        m_records[path].atEnd = subBlock;
    }
    // Translation entries as (language, code page) pairs, low word first.
    static std::string Translations(const std::vector<std::pair<unsigned, unsigned>>& entries);
    void FailRead(const std::string& path) { m_unreadable.insert(path); }

    unsigned long GetSize(const char* path, unsigned long* handle) override;
    // Fails unless size is the size that GetSize reported for path.
    bool Read(const char* path, unsigned long handle, unsigned long size, void* block) override;
    bool Query(const void* block, const char* subBlock, const void** value,
               unsigned* length) override;

    std::vector<std::string> sized;    // the paths whose record size was asked for
    std::vector<std::string> queries;  // the sub-block paths asked for, in order

private:
    struct Record {
        std::map<std::string, std::string> values;
        std::string atEnd;
    };
    static unsigned long SizeOf(const Record& record);

    std::map<std::string, Record> m_records;
    std::set<std::string> m_unreadable;
    const Record* m_lastRead = nullptr;
    const void* m_lastBlock = nullptr;
    std::map<std::string, unsigned long> m_offsets;  // of each value in the last block
};
