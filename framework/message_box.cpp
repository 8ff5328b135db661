#include "framework/message_box.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

int AfxMessageBox(const char* text, UINT style)
{
    CWinApp* app = AfxGetApp();
    return ::MessageBoxA(ApplicationModalOwner(), text,
                         app ? static_cast<const char*>(app->m_strAppName) : "", style);
}
