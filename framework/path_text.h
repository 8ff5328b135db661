// Path texts in the ANSI code page, read character by character so that the
// second byte of a double-byte character is never taken for a separator.
#pragma once

#include "framework/cstring.h"
#include "framework/code_page.h"

// Offset of the first backslash character in text, or -1.
int FindFirstBackslash(const char* text, const CodePage& codePage);

// Offset of the last backslash character in text, or -1.
int FindLastBackslash(const char* text, const CodePage& codePage);

// True when the last character of text is a backslash.
bool EndsWithBackslash(const char* text, const CodePage& codePage);

// True when offset is where a character starts (or the end of text).
bool IsCharacterBoundary(const char* text, int offset, const CodePage& codePage);

// The four parts of a path, split as the run-time library's _splitpath does:
// drive is a letter and a colon or empty; directory keeps its leading and
// trailing separators; extension starts at the last dot of the file name.
struct PathParts {
    CString drive;
    CString directory;
    CString fileName;
    CString extension;

    static PathParts Split(const char* path, const CodePage& codePage);
};

// True when a and b name the same path as the file system compares names:
// after a leading \??\, ASCII letters in either case are equal. The second
// byte of a double-byte character is compared exactly, never folded (code
// page 932: ア is 0x83 0x41, ヂ is 0x83 0x61). Letters beyond ASCII, which
// NTFS also folds, are compared exactly.
bool IsSamePath(const char* a, const char* b, const CodePage& codePage);
