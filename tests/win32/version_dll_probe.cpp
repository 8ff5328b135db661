// Run from a folder that holds a decoy VERSION.DLL: exits with 0 when
// Win32VersionRecords read the size of kernel32.dll's record through the
// system's VERSION.DLL, 1 when the decoy answered, 2 when nothing answered.
#include "platform/win32_version_records.h"

#include <windows.h>

#include <string>

int main()
{
    char system[MAX_PATH];
    if (::GetSystemDirectoryA(system, MAX_PATH) == 0)
        return 2;
    Win32VersionRecords records;
    unsigned long handle = 0;
    const unsigned long size = records.GetSize((std::string(system) + "\\kernel32.dll").c_str(), &handle);
    if (size == 0x7A7A)
        return 1;
    return size == 0 ? 2 : 0;
}
