// The journal's file as a string of bytes that can be made unreadable or
// unwritable; a clock a millisecond later at each reading; version texts from
// a table.
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
        read = bytes.substr(bytes.size() > limit ? bytes.size() - limit : 0);
        return readable;
    }
    bool Size(unsigned long& size) override
    {
        size = static_cast<unsigned long>(bytes.size());
        return readable;
    }
    bool Append(const std::string& more) override
    {
        appends.push_back(more);  // asked for, written or not
        bytes += writable ? more : "";
        return writable;
    }
    bool Replace(const std::string& whole) override
    {
        ++replaced;
        bytes = writable ? whole : bytes;
        return writable;
    }

    std::string bytes;
    bool readable = true;
    bool writable = true;
    std::vector<std::string> appends;
    int replaced = 0;
};

class FakeClock : public Clock {
public:
    LocalTime Now() override
    {
        const LocalTime time = now;
        now.milliseconds = (now.milliseconds + 1) % 1000;
        return time;
    }

    LocalTime now{2026, 3, 4, 10, 22, 31, 123};
};

class FakeVersionTexts : public FileVersionTexts {
public:
    bool VersionTextOf(const char* path, CString& text) override
    {
        const auto found = texts.find(path);
        text = found == texts.end() ? text : CString(found->second.c_str());
        return found != texts.end();
    }

    std::map<std::string, std::string> texts;
};
