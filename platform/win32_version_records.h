// The version-record services of VERSION.DLL, loaded from the system directory
// by full path: the DLL is not a known DLL on every Windows release, and one
// planted beside the executable must never be taken.
#pragma once

#include "platform/version_records.h"

class Win32VersionRecords : public VersionRecords {
public:
    unsigned long GetSize(const char* path, unsigned long* handle) override;
    bool Read(const char* path, unsigned long handle, unsigned long size, void* block) override;
    bool Query(const void* block, const char* subBlock, const void** value,
               unsigned* length) override;

private:
    void Load();

    bool m_loaded = false;
    typedef unsigned long(__stdcall* GetSizeFn)(const char*, unsigned long*);
    typedef int(__stdcall* ReadFn)(const char*, unsigned long, unsigned long, void*);
    typedef int(__stdcall* QueryFn)(const void*, const char*, void**, unsigned*);
    GetSizeFn m_getSize = nullptr;
    ReadFn m_read = nullptr;
    QueryFn m_query = nullptr;
};
