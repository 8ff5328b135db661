#include "platform/win32_restart_services.h"

#include <windows.h>

bool Win32RestartServices::EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = ::LookupPrivilegeValueA("", "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                   ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    ::CloseHandle(token);
    return enabled;
}

bool Win32RestartServices::RequestRestart()
{
    return ::ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}
