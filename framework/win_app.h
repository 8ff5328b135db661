// CWinApp: the application object. The framework's entry calls InitInstance and
// then ExitInstance, once each, on every path. Portable: nothing here needs
// the window system.
#pragma once

#include "framework/cstring.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Answers whether the application's own message loop should run; this
    // framework has none, so the answer only documents intent.
    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return 0; }

    CString m_strAppName;          // the executable's base name, without extension
    void* m_hInstance = nullptr;   // the executable's module handle
    CWnd* m_pMainWnd = nullptr;    // the main dialog while it runs, else null
};

CWinApp* AfxGetApp();

// InitInstance, then ExitInstance; answers ExitInstance's exit code.
int AfxRunApplication(CWinApp& app);
