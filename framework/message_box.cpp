#include "framework/message_box.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

int AfxMessageBox(const char* text, UINT style)
{
    CWinApp* app = AfxGetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
        owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    return ::MessageBoxA(owner, text, app ? static_cast<const char*>(app->m_strAppName) : "", style);
}
