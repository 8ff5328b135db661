// The executable's resources in the language chosen at start
// (framework/language.h), looked up by that language explicitly: the system
// would otherwise pick by the language of its own user interface, which need
// not match the code page the texts are shown in.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

// The dialog template id, or null where the executable has none.
LPCDLGTEMPLATEA DialogTemplate(HINSTANCE instance, UINT id);
// The string id in the ANSI code page; empty where the executable has none.
CString ResourceString(HINSTANCE instance, UINT id);
