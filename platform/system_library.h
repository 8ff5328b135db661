// Loading system DLLs by their full path in the system directory, never from
// the executable's folder, where a planted DLL could wait for an administrator.
#pragma once

#include <windows.h>

HMODULE LoadSystemLibrary(const char* fileName);

// Narrows the DLL search of later loads to safe places where the running
// Windows release can (KB2533623 and later; XP SP1 and later).
void RestrictDllSearch();
