#include "platform/win32_version_records.h"

#include "platform/system_library.h"

namespace {
template <typename Function>
Function Lookup(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(::GetProcAddress(library, name)))
                   : nullptr;
}
}  // namespace

Win32VersionRecords::Win32VersionRecords()
{
    HMODULE library = LoadSystemLibrary("VERSION.DLL");
    m_getSize = Lookup<GetSizeFn>(library, "GetFileVersionInfoSizeA");
    m_read = Lookup<ReadFn>(library, "GetFileVersionInfoA");
    m_query = Lookup<QueryFn>(library, "VerQueryValueA");
}

unsigned long Win32VersionRecords::GetSize(const char* path, unsigned long* handle)
{
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
