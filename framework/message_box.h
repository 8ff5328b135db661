#pragma once

#include <windows.h>

// A message box captioned with the application's name, owned by the
// application's active window.
int AfxMessageBox(const char* text, UINT style = MB_OK);

// Whether an MB_OK box of text lies within the work area, the screen less the
// taskbar: measured as the box lays itself out, in the system's message font.
// A box that does not is cut at the screen's edge, and its last lines are lost.
bool MessageBoxFitsWorkArea(const char* text);
