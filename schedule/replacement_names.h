// The names a scheduler derives for one entry: the target as the renames and
// the report name it, the staged copy beside it and the backup.
#pragma once

#include "framework/cstring.h"
#include "framework/code_page.h"

struct ReplacementNames {
    CString target;
    CString staged;
    CString backup;
};

// NT family: the target as the plan holds it, with ".new" and ".old" appended
// to the whole name.
ReplacementNames NtReplacementNames(const char* target);

// 9x family: from the short (8.3) target, its base followed by ".NEW" and
// ".OLD". The base drops the last four bytes (the dot and a three-letter
// extension), unless that cut would leave no byte of the file name or half a
// double-byte character; then the base is the short target without its
// extension, so that both names stay in the target's folder.
ReplacementNames NineXReplacementNames(const char* shortTarget, const CodePage& codePage);
