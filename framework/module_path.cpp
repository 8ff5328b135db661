#include "framework/module_path.h"

#include <windows.h>

CString ModuleFilePath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[MAX_PATH - 1] = '\0';
    return CString(path);
}
