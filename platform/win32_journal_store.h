// The journal's file in the system's Windows folder, and the local time its
// lines are stamped with.
#pragma once

#include "platform/clock.h"
#include "platform/journal_store.h"

class Win32JournalStore : public JournalStore {
public:
    // The file in the system's Windows folder: the one folder every
    // administrator of the machine shares, where the restart's own wininit.ini
    // lies on 9x.
    Win32JournalStore();
    // The file at path, for tests.
    explicit Win32JournalStore(const char* path) : m_path(path) {}

    CString Location() override { return m_path; }
    bool Read(unsigned long limit, std::string& bytes) override;
    bool Size(unsigned long& size) override;
    bool Append(const std::string& bytes) override;
    bool Replace(const std::string& bytes) override;

private:
    CString m_path;  // empty when the folder's path cannot be had
};

class Win32Clock : public Clock {
public:
    LocalTime Now() override;
};
