// CTesseraApp: the application object. Its start-up is the gate that decides
// whether the tool may run: a supported Windows family and, on NT, an
// administrator.
#pragma once

#include "app/startup_platform.h"
#include "framework/win_app.h"
#include "platform/code_page.h"
#include "platform/message_boxes.h"
#include "platform/token_services.h"

enum OsKind { OS_UNKNOWN = 0, OS_NT = 1, OS_9X = 2 };

// The system as the application object sees it.
struct AppServices {
    StartupPlatform& platform;
    TokenServices& tokens;
    MessageBoxes& boxes;
    const CodePage& codePage;
};

class CTesseraApp : public CWinApp {
public:
    explicit CTesseraApp(AppServices services) : m_services(services) {}

    bool InitInstance() override;
    int ExitInstance() override;
    bool IsAdmin();

    char m_szModuleDir[260];  // the executable's folder, ending with a backslash
    int m_nOsKind;            // one of OsKind

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
