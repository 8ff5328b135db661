// Path texts in the ANSI code page, read character by character so that the
// second byte of a double-byte character is never taken for a separator.
#pragma once

#include "framework/cstring.h"
#include "framework/code_page.h"

#include <vector>

// c in upper case when it is an ASCII letter.
inline char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Offset of the first backslash character in text, or -1.
int FindFirstBackslash(const char* text, const CodePage& codePage);

// Offset of the last backslash character in text, or -1.
int FindLastBackslash(const char* text, const CodePage& codePage);

// True when the last character of text is a backslash.
bool EndsWithBackslash(const char* text, const CodePage& codePage);

// The characters of text: a double-byte character counts once. Each becomes
// one UTF-16 unit in the double-byte code pages of Windows, and no more than
// one in any other, so this is at least the length the wide functions see.
int CharacterCount(const char* text, const CodePage& codePage);

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

// A full path as the file system reads it: its root, always ending in a
// backslash ("C:\", "\\server\share\", and the same after \\?\ or \\.\:
// "\\?\C:\", "\\?\UNC\server\share\", "\\.\C:\"; empty for a path of
// no such form), and the names after it, without empty ones.
struct PathSteps {
    CString root;
    std::vector<CString> names;
    bool share = false;  // the root is a share's, \\server\share

    static PathSteps Split(const char* fullPath, const CodePage& codePage);
    // The root followed by the first count names.
    CString Leading(size_t count) const;
    // The root's drive letter and colon ("C:"), or empty.
    CString Drive() const;
};
