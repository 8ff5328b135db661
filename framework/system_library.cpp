#include "framework/system_library.h"

#include <cstring>

HMODULE LoadSystemLibrary(const char* fileName)
{
    char path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(fileName) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, fileName);
    return ::LoadLibraryA(path);
}

void RestrictDllSearch()
{
    HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    typedef BOOL(WINAPI * SetDllDirectoryFn)(const char*);
    const auto setDefault =
        ModuleFunction<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (setDefault)
        setDefault(0x00000800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
    // Takes the current directory out of the search order.
    const auto setDirectory = ModuleFunction<SetDllDirectoryFn>(kernel, "SetDllDirectoryA");
    if (setDirectory)
        setDirectory("");
}
