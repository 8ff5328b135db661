// Loading system DLLs by their full path in the system directory, never from
// the executable's folder, where a planted DLL could wait for an administrator.
#pragma once

#include <windows.h>

// The DLL from the system directory, or from the system's side-by-side store
// where the program's manifest asks for an assembly that holds it.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a loaded module, or null.
template <typename Function>
Function ModuleFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void*>(::GetProcAddress(module, name)))
                  : nullptr;
}

// A function of a system DLL that is loaded, from the system directory, only
// when the function is first wanted: DLLs that only some commands need stay
// out of the start-up. Null when the DLL or the function cannot be had.
template <typename Function>
Function SystemFunction(const char* fileName, const char* name)
{
    return ModuleFunction<Function>(LoadSystemLibrary(fileName), name);
}

// Narrows the DLL search of later loads to safe places where the running
// Windows release can (KB2533623 and later; XP SP1 and later).
void RestrictDllSearch();
