#pragma once

#include <windows.h>

// A message box captioned with the application's name, owned by the
// application's active window.
int AfxMessageBox(const char* text, UINT style = MB_OK);
