#include "platform/win32_version_records.h"

#include "framework/system_library.h"

// VERSION.DLL is loaded when the first version text is wanted, not before.
void Win32VersionRecords::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_getSize = SystemFunction<GetSizeFn>("VERSION.DLL", "GetFileVersionInfoSizeA");
    m_read = SystemFunction<ReadFn>("VERSION.DLL", "GetFileVersionInfoA");
    m_query = SystemFunction<QueryFn>("VERSION.DLL", "VerQueryValueA");
}

unsigned long Win32VersionRecords::GetSize(const char* path, unsigned long* handle)
{
    Load();
    *handle = 0;
    return m_getSize ? m_getSize(path, handle) : 0;
}

bool Win32VersionRecords::Read(const char* path, unsigned long handle, unsigned long size,
                               void* block)
{
    return m_read && m_read(path, handle, size, block) != 0;
}

bool Win32VersionRecords::Query(const void* block, const char* subBlock, const void** value,
                                unsigned* length)
{
    void* found = nullptr;
    if (!m_query || m_query(block, subBlock, &found, length) == 0)
        return false;
    *value = found;
    return true;
}
