#include "framework/system_library.h"

#include <cstring>

namespace {
// Whether the manifest of the process sends fileName to a side-by-side
// assembly (the common controls 6). Releases before XP read no manifest.
bool RedirectedByManifest(const char* fileName)
{
    const auto find = ModuleFunction<decltype(&::FindActCtxSectionStringA)>(
        ::GetModuleHandleA("KERNEL32.DLL"), "FindActCtxSectionStringA");
    ACTCTX_SECTION_KEYED_DATA data = {};
    data.cbSize = sizeof(ACTCTX_SECTION_KEYED_DATA_2600);  // the form XP knows
    return find && find(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, fileName, &data);
}
}  // namespace

HMODULE LoadSystemLibrary(const char* fileName)
{
    // A bare name is what the loader redirects to the assembly, ahead of any
    // folder, the program's own included; a full path would load the older
    // copy in the system directory instead.
    if (RedirectedByManifest(fileName))
        return ::LoadLibraryA(fileName);
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
