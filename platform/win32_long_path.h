// Long spellings of full paths. A short alias (PROGRA~1, LONGNA~1.DLL) and the
// long name it stands for are one file to the file system, but not to a text
// comparison, and a rename recorded under the alias names the new file by the
// alias: comparing and naming by the long form avoids both.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"

// fullPath (as GetFullPathNameA gives it) with its longest existing leading
// part in long form and the rest, which does not exist yet, as given.
CString LongFormOfExistingPart(const char* fullPath, const CodePage& codePage);

// The long form of an existing full path, found component by component with
// FindFirstFileA: the way on NT 4.0 and 95, which lack GetLongPathNameA.
// False when a component does not exist or the result would not fit MAX_PATH.
bool LongPathByWalking(const char* fullPath, const CodePage& codePage, CString& longPath);
