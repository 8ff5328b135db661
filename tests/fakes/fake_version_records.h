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
    // A record for path; values maps sub-block paths to their raw bytes.
    void AddRecord(const std::string& path, const std::map<std::string, std::string>& values)
    {
        m_records[path] = values;
    }
    // Translation entries as (language, code page) pairs, low word first.
    static std::string Translations(const std::vector<std::pair<unsigned, unsigned>>& entries);
    void FailRead(const std::string& path) { m_unreadable.insert(path); }

    unsigned long GetSize(const char* path, unsigned long* handle) override;
    bool Read(const char* path, unsigned long handle, unsigned long size, void* block) override;
    bool Query(const void* block, const char* subBlock, const void** value,
               unsigned* length) override;

    std::vector<std::string> queries;  // the sub-block paths asked for, in order

private:
    std::map<std::string, std::map<std::string, std::string>> m_records;
    std::set<std::string> m_unreadable;
    const std::map<std::string, std::string>* m_lastRead = nullptr;
    const void* m_lastBlock = nullptr;
};
