// The start-up's view of Windows, and the run of the main dialog.
#pragma once

#include "app/startup_platform.h"

class Win32StartupPlatform : public StartupPlatform {
public:
    void SetUpLibraries() override;
    void ReleaseLibraries() override;
    CString ModulePath() override;
    PlatformVersion GetVersion() override;
    bool RunsUnderWow64() override;
    void RunMainDialog() override;
};
