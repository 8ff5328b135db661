// The journal's file as a string of bytes that can be made unreadable or
// unwritable, a clock that moves on a second at each reading, and version
// texts from a table.
#pragma once

#include "platform/clock.h"
#include "platform/journal_store.h"
#include "platform/version_texts.h"

#include <map>
#include <string>
#include <vector>

class FakeJournalStore : public JournalStore {
public:
    CString Location() override { return "C:\\WINDOWS\\TESSERA.LOG"; }
    bool Read(unsigned long limit, std::string& read) override
    {
        read = bytes.size() > limit ? bytes.substr(bytes.size() - limit) : bytes;
        return readable;
    }
    bool Size(unsigned long& size) override
    {
        size = static_cast<unsigned long>(bytes.size());
        return readable;
    }
    bool Append(const std::string& more) override
    {
        appends.push_back(more);
        if (writable)
            bytes += more;
        return writable;
    }
    bool Replace(const std::string& whole) override
    {
        ++replaced;
        if (writable)
            bytes = whole;
        return writable;
    }

    std::string bytes;
    bool readable = true;
    bool writable = true;
    std::vector<std::string> appends;  // every append asked for, written or not
    int replaced = 0;
};

class FakeClock : public Clock {
public:
    LocalTime Now() override
    {
        const LocalTime time = now;
        if (++now.second == 60) {
            now.second = 0;
            if (++now.minute == 60) {
                now.minute = 0;
                ++now.hour;
            }
        }
        return time;
    }

    LocalTime now{2026, 3, 4, 10, 22, 31, 123};
};

class FakeVersionTexts : public FileVersionTexts {
public:
    bool VersionTextOf(const char* path, CString& text) override
    {
        const auto found = texts.find(path);
        if (found == texts.end())
            return false;
        text = found->second.c_str();
        return true;
    }

    std::map<std::string, std::string> texts;
};
