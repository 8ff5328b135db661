#include "framework/screen_dpi.h"

#include "framework/dpi.h"

#include <windows.h>

// LOGPIXELSX of the screen works on every release; a program that Windows
// takes for DPI-unaware is told 96 here and stretched as a bitmap instead.
int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}
