// Prints the executable's folder as the start-up finds it.
#include "app/tessera_app.h"
#include "app/win32_startup_services.h"
#include "framework/win32_code_page.h"

#include <cstdio>

int main()
{
    char folder[260];
    ModuleDirectoryOf(Win32SystemFacts().ModulePath(), folder, Win32CodePage());
    std::fputs(folder, stdout);
    return 0;
}
