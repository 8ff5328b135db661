#include "platform/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

int Win32Shell::OpenDocument(const char* path)
{
    const HINSTANCE result = ::ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOW);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}
