#include "framework/win_app.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

int AfxRunApplication(CWinApp& app)
{
    app.InitInstance();
    return app.ExitInstance();
}
