// The entry of the executable: names the application after the executable and
// hands control to the one application object.
#include "framework/module_path.h"
#include "framework/path_text.h"
#include "framework/win32_code_page.h"
#include "framework/win_app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp& app = *AfxGetApp();
    app.m_hInstance = instance;
    app.m_strAppName = PathParts::Split(ModuleFilePath(), Win32CodePage()).fileName;
    return AfxRunApplication(app);
}
