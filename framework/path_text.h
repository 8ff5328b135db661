// Path texts in the ANSI code page, read character by character so that the
// second byte of a double-byte character is never taken for a separator.
#pragma once

#include "framework/cstring.h"
#include "framework/code_page.h"

#include <string>
#include <vector>

// text with its ASCII letters in upper case and every other character as it
// is: ANSI bytes (std::string) or UTF-16 units (std::wstring, std::u16string).
// Given the ANSI code page, a double-byte character stays whole, since its
// second byte may be a letter.
template <typename Text>
Text FoldAscii(Text text, const CodePage* codePage = nullptr)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (codePage && i + 1 < text.size() && codePage->IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
        else if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = static_cast<typename Text::value_type>(text[i] - 'a' + 'A');
    }
    return text;
}

// The prefix that a path may begin with: \\?\ (taken verbatim), \\.\ (the
// devices) or \??\ (the object manager's names, which restart records hold),
// each exact, then perhaps UNC\ in any letter case (the object manager
// compares names without case), after which come server\share. The Win32
// spelling of that share is \\ followed by the text after the prefix.
struct PathPrefix {
    enum Kind { kNone, kVerbatim, kDevice, kObjects } kind = kNone;
    int length = 0;  // in units, UNC\ included
    bool unc = false;

    // Instantiated for ANSI text (char) and UTF-16 (char16_t, wchar_t).
    template <typename Unit>
    static PathPrefix Read(const Unit* text);
};

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
// "\\?\C:\", "\\?\UNC\server\share\", "\\.\C:\"), and the names after it,
// without empty ones. A path of no such form cannot be read: "\C:\X" (a
// folder of the current drive), "C:X", "\\server", a relative path, or a
// root that a backslash after it would make another (\\?\UNC, a name that
// ends the text in a lead byte without its second byte). It has no root and
// no names; whoever asks refuses it or leaves it as it is, and never puts
// another path together from it.
struct PathSteps {
    CString root;
    std::vector<CString> names;
    bool share = false;  // the root is a share's, \\server\share

    static PathSteps Split(const char* fullPath, const CodePage& codePage);
    bool Readable() const { return !root.IsEmpty(); }
    // The root followed by the first count names.
    CString Leading(size_t count) const;
    // The root's drive letter and colon ("C:"), or empty.
    CString Drive() const;
};
