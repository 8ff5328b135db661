#include "framework/path_text.h"

#include <cstring>

namespace {
// Steps over one character: two bytes for a lead byte followed by a second
// byte, else one. No code page of Windows has a lead byte below 0x80, so
// ASCII is stepped over without asking the system.
int NextCharacter(const char* text, int offset, const CodePage& codePage)
{
    const auto byte = static_cast<unsigned char>(text[offset]);
    if (byte >= 0x80 && codePage.IsLeadByte(byte) && text[offset + 1] != '\0')
        return offset + 2;
    return offset + 1;
}

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

int FindFirstBackslash(const char* text, const CodePage& codePage)
{
    for (int i = 0; text[i] != '\0'; i = NextCharacter(text, i, codePage)) {
        if (text[i] == '\\')
            return i;
    }
    return -1;
}

int FindLastBackslash(const char* text, const CodePage& codePage)
{
    int last = -1;
    for (int i = 0; text[i] != '\0'; i = NextCharacter(text, i, codePage)) {
        if (text[i] == '\\')
            last = i;
    }
    return last;
}

bool EndsWithBackslash(const char* text, const CodePage& codePage)
{
    const int length = static_cast<int>(std::strlen(text));
    return length > 0 && FindLastBackslash(text, codePage) == length - 1;
}

bool IsCharacterBoundary(const char* text, int offset, const CodePage& codePage)
{
    int i = 0;
    while (i < offset && text[i] != '\0')
        i = NextCharacter(text, i, codePage);
    return i == offset;
}

PathParts PathParts::Split(const char* path, const CodePage& codePage)
{
    PathParts parts;
    int start = 0;
    if (path[0] != '\0' && path[1] == ':') {
        parts.drive = CString(path, 2);
        start = 2;
    }
    int lastSeparator = -1;
    int lastDot = -1;
    for (int i = start; path[i] != '\0'; i = NextCharacter(path, i, codePage)) {
        if (path[i] == '\\' || path[i] == '/')
            lastSeparator = i;
        else if (path[i] == '.')
            lastDot = i;
    }
    const int end = static_cast<int>(std::strlen(path));
    const int nameStart = lastSeparator >= 0 ? lastSeparator + 1 : start;
    parts.directory = CString(path + start, nameStart - start);
    if (lastDot >= nameStart) {
        parts.fileName = CString(path + nameStart, lastDot - nameStart);
        parts.extension = CString(path + lastDot, end - lastDot);
    } else {
        parts.fileName = CString(path + nameStart, end - nameStart);
    }
    return parts;
}

bool IsSamePath(const char* a, const char* b, const CodePage& codePage)
{
    const char kNtPrefix[] = "\\??\\";
    if (std::strncmp(a, kNtPrefix, 4) == 0)
        a += 4;
    if (std::strncmp(b, kNtPrefix, 4) == 0)
        b += 4;
    // Folding keeps every byte in its place: texts of two lengths differ.
    if (std::strlen(a) != std::strlen(b))
        return false;
    // Both texts are equal up to i, so a character that starts at i in one
    // starts there in the other too.
    for (int i = 0;; i = NextCharacter(a, i, codePage)) {
        const int next = NextCharacter(a, i, codePage);
        if (next == i + 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
}
