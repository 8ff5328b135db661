#include "platform/win32_shell.h"

#include "framework/system_library.h"

#include <shellapi.h>

int Win32Shell::OpenDocument(const char* path)
{
    const auto shellExecute =
        SystemFunction<decltype(&::ShellExecuteA)>("SHELL32.DLL", "ShellExecuteA");
    if (!shellExecute)
        return SE_ERR_NOASSOC;  // nothing can open the document
    const HINSTANCE result = shellExecute(nullptr, "open", path, nullptr, nullptr, SW_SHOW);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}
