// Run from a folder that holds a decoy VERSION.DLL, it reads the size of
// kernel32.dll's version record and exits with 0 when the system's VERSION.DLL
// answered, 1 when the decoy answered, 2 when nothing answered.
// Through Win32VersionRecords; with the argument "by-name", through a plain
// load by name instead, the way a planted DLL gets its chance.
#include "platform/win32_version_records.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {
unsigned long SizeByName(const char* path)
{
    typedef DWORD(WINAPI * GetSizeFn)(const char*, DWORD*);
    HMODULE library = ::LoadLibraryA("VERSION.DLL");
    const auto getSize = library ? reinterpret_cast<GetSizeFn>(reinterpret_cast<void*>(
                                       ::GetProcAddress(library, "GetFileVersionInfoSizeA")))
                                 : nullptr;
    DWORD handle = 0;
    return getSize ? getSize(path, &handle) : 0;
}
}  // namespace

int main(int argc, char** argv)
{
    char system[MAX_PATH];
    if (::GetSystemDirectoryA(system, MAX_PATH) == 0)
        return 2;
    const std::string kernel = std::string(system) + "\\kernel32.dll";
    unsigned long size = 0;
    if (argc > 1 && std::strcmp(argv[1], "by-name") == 0) {
        size = SizeByName(kernel.c_str());
    } else {
        unsigned long handle = 0;
        size = Win32VersionRecords().GetSize(kernel.c_str(), &handle);
    }
    if (size == 0x7A7A)
        return 1;
    return size == 0 ? 2 : 0;
}
