#include "framework/message_box.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

int AfxMessageBox(const char* text, UINT style)
{
    CWinApp* app = AfxGetApp();
    return ::MessageBoxA(ApplicationModalOwner(), text,
                         app ? static_cast<const char*>(app->m_strAppName) : "", style);
}

namespace {
// The font message boxes draw their text in. The structure without the
// padded border of Vista and later is the size every release accepts.
HFONT CreateMessageFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return ::CreateFontIndirectA(&metrics.lfMessageFont);
}
}  // namespace

// A box wraps its text at a width of its own, a fraction of the screen that
// differs between releases; half the work area's width is no wider than any
// of them, so a text measured here is at least as tall as the box makes it.
// A line that cannot be broken (a long path) widens the box beyond that.
// Around the text a box keeps margins and a band for its button: seven lines
// of the font cover them (a box of Windows 10 takes about six, older releases
// and Wine fewer), and two lines its margins at the sides.
bool MessageBoxFitsWorkArea(const char* text)
{
    RECT work;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;

    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return true;
    const HFONT font = CreateMessageFont();
    const HGDIOBJ previous = font ? ::SelectObject(screen, font) : nullptr;
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(screen, &metrics);
    const int line = metrics.tmHeight + metrics.tmExternalLeading;
    RECT textRect = {0, 0, workWidth / 2, 0};
    ::DrawTextA(screen, text, -1, &textRect,
                DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (font) {
        ::SelectObject(screen, previous);
        ::DeleteObject(font);
    }
    ::ReleaseDC(nullptr, screen);

    RECT box = {0, 0, textRect.right + 2 * line, textRect.bottom + 7 * line};
    ::AdjustWindowRectEx(&box, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE,
                         WS_EX_DLGMODALFRAME);
    return box.right - box.left <= workWidth && box.bottom - box.top <= workHeight;
}
