// What the start-up needs of the system beyond the security services: the
// libraries, the facts of the running system, and the run of the main dialog.
#pragma once

#include "framework/cstring.h"
#include "platform/os_kind.h"

struct PlatformVersion {
    unsigned long platformId;   // 1: Windows 9x, 2: Windows NT
    unsigned long buildNumber;
};

// The control and COM libraries the program relies on.
class StartupLibraries {
public:
    virtual ~StartupLibraries() = default;
    virtual void SetUpLibraries() = 0;
    virtual void ReleaseLibraries() = 0;
};

class SystemFacts {
public:
    virtual ~SystemFacts() = default;
    // The full path of the running executable.
    virtual CString ModulePath() = 0;
    virtual PlatformVersion GetVersion() = 0;
    // True for a 32-bit program on 64-bit Windows (WOW64), whose view of the
    // system folder is redirected while the restart acts on the real one.
    virtual bool RunsUnderWow64() = 0;
    // The system's ANSI code page, which picks the language of every text.
    virtual unsigned AnsiCodePage() = 0;
};

class MainDialogRunner {
public:
    virtual ~MainDialogRunner() = default;
    // Constructs the main dialog, makes it the main window and runs it modally.
    virtual void RunMainDialog() = 0;
};

class RestartReview {
public:
    virtual ~RestartReview() = default;
    // What became of the replacements scheduled by earlier runs, told once
    // (schedule/journal_review.h), on the family that passed the gate.
    virtual void TellWhatTheRestartDid(OsKind family) = 0;
};
