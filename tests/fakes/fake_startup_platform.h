// The start-up's system as a table of facts; records what was asked of it.
#pragma once

#include "app/startup_services.h"

#include <string>
#include <vector>

// One journal for the three services, so that their order shows.
class FakeStartupPlatform : public StartupLibraries,
                            public SystemFacts,
                            public MainDialogRunner,
                            public RestartReview {
public:
    void SetUpLibraries() override { calls.push_back("SetUpLibraries"); }
    void ReleaseLibraries() override { calls.push_back("ReleaseLibraries"); }
    CString ModulePath() override
    {
        calls.push_back("ModulePath");
        return modulePath.c_str();
    }
    PlatformVersion GetVersion() override
    {
        calls.push_back("GetVersion");
        return version;
    }
    bool RunsUnderWow64() override { return wow64; }
    unsigned AnsiCodePage() override { return codePage; }
    void RunMainDialog() override { calls.push_back("RunMainDialog"); }
    void TellWhatTheRestartDid(OsKind family) override
    {
        calls.push_back(family == OS_NT ? "TellWhatTheRestartDid NT" : "TellWhatTheRestartDid 9x");
    }

    std::string modulePath = "C:\\TOOLS\\TESSERA.EXE";
    PlatformVersion version = {2, 7601};
    bool wow64 = false;
    unsigned codePage = 932;
    std::vector<std::string> calls;
};
