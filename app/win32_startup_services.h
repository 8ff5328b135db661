// The start-up's view of Windows.
#pragma once

#include "app/startup_services.h"

class Win32StartupLibraries : public StartupLibraries {
public:
    void SetUpLibraries() override;
    void ReleaseLibraries() override;
};

class Win32SystemFacts : public SystemFacts {
public:
    CString ModulePath() override;
    PlatformVersion GetVersion() override;
    bool RunsUnderWow64() override;
    unsigned AnsiCodePage() override;
};
