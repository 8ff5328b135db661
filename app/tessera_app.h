// CTesseraApp: the application object. Its start-up is the gate that decides
// whether the tool may run: a supported Windows family and, on NT, an
// administrator.
#pragma once

#include "app/startup_services.h"
#include "framework/code_page.h"
#include "framework/win_app.h"
#include "platform/message_boxes.h"
#include "platform/os_kind.h"
#include "platform/restart_services.h"
#include "platform/shell.h"
#include "platform/token_services.h"

// The system as the application object sees it: Windows in the program
// (TESSERA.EXE, TESSERA64.EXE), fakes in tests. The main dialog gets its own
// services where it is built.
struct AppServices {
    StartupLibraries& libraries;
    SystemFacts& facts;
    MainDialogRunner& mainDialog;
    TokenServices& tokens;
    MessageBoxes& boxes;
    const CodePage& codePage;
    RestartServices& restart;
    Shell& shell;
    // Told after the gate, before the main dialog; none: nothing is told.
    RestartReview* restartReview = nullptr;
};

class CTesseraApp : public CWinApp {
public:
    explicit CTesseraApp(AppServices services) : m_services(services) {}

    bool InitInstance() override;
    int ExitInstance() override;
    bool IsAdmin();
    // Opens name, a file in the executable's folder, with its associated program.
    bool OpenHelpFile(const char* name);
    // Offers the restart and requests it on Yes; answers the user's answer.
    int AskRestart(unsigned style);

    char m_szModuleDir[260];  // the executable's folder, ending with a backslash
    OsKind m_nOsKind;

private:
    AppServices m_services;
};

// The one application object of the running program.
inline CTesseraApp& TesseraApp()
{
    return *static_cast<CTesseraApp*>(AfxGetApp());
}

// The folder part of an executable's path, up to and including its last
// backslash character; empty when there is none.
void ModuleDirectoryOf(const char* modulePath, char (&directory)[260], const CodePage& codePage);
