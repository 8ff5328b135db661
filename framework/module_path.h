// The full path of the running executable.
#pragma once

#include "framework/cstring.h"

// NUL-terminated and bounded by MAX_PATH, as GetModuleFileNameA gives it.
CString ModuleFilePath();
