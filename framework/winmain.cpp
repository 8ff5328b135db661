// The entry of the executable: names the application after the executable and
// hands control to the one application object.
#include "framework/win_app.h"
#include "platform/path_text.h"
#include "platform/win32_code_page.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CWinApp& app = *AfxGetApp();
    app.m_hInstance = instance;
    app.m_strAppName = PathParts::Split(path, Win32CodePage()).fileName;
    return AfxRunApplication(app);
}
