// The two steps of a restart request, each answering only whether it succeeded.
#pragma once

class RestartServices {
public:
    virtual ~RestartServices() = default;
    // OpenProcessToken, LookupPrivilegeValueA("", "SeShutdownPrivilege") and
    // AdjustTokenPrivileges, as one step.
    virtual bool EnableShutdownPrivilege() = 0;
    // ExitWindowsEx(EWX_REBOOT, 0).
    virtual bool RequestRestart() = 0;
};
