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

// The end of the name that starts at offset: its backslash, or the end of text.
int EndOfName(const char* text, int offset, const CodePage& codePage)
{
    const int separator = FindFirstBackslash(text + offset, codePage);
    return separator < 0 ? offset + static_cast<int>(std::strlen(text + offset)) : offset + separator;
}

// An ASCII letter and a colon.
bool IsDrive(const char* text)
{
    return ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) && text[1] == ':';
}

// The length of path's root without its last backslash: "C:", "\\server\share",
// "\\?\C:", "\\?\UNC\server\share"; 0 when path has none of these forms.
// A drive is followed by a backslash or nothing; a server, a share and a
// device have a name. share tells a share's root.
int RootLength(const char* path, const CodePage& codePage, bool& share)
{
    const PathPrefix prefix = PathPrefix::Read(path);
    const bool device = prefix.kind == PathPrefix::kVerbatim || prefix.kind == PathPrefix::kDevice;
    share = device ? prefix.unc : prefix.kind == PathPrefix::kNone && path[0] == '\\' && path[1] == '\\';
    if (share) {
        const int server = device ? prefix.length : 2;
        const int serverEnd = EndOfName(path, server, codePage);
        if (serverEnd == server || path[serverEnd] == '\0')
            return 0;
        const int end = EndOfName(path, serverEnd + 1, codePage);
        return end > serverEnd + 1 ? end : 0;
    }
    if (device) {
        const int end = EndOfName(path, prefix.length, codePage);  // a drive, or a device by any name
        return end > prefix.length ? end : 0;
    }
    return IsDrive(path) && (path[2] == '\0' || path[2] == '\\') ? 2 : 0;
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

int CharacterCount(const char* text, const CodePage& codePage)
{
    int count = 0;
    for (int i = 0; text[i] != '\0'; i = NextCharacter(text, i, codePage))
        ++count;
    return count;
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

PathSteps PathSteps::Split(const char* fullPath, const CodePage& codePage)
{
    PathSteps steps;
    const int root = RootLength(fullPath, codePage, steps.share);
    steps.root = CString(fullPath, root) + "\\";
    // The root must read the same with its backslash after it.
    bool share = false;
    if (root == 0 || RootLength(steps.root, codePage, share) != root)
        return PathSteps();
    for (int at = root; fullPath[at] != '\0';) {
        const int end = EndOfName(fullPath, at, codePage);
        if (end > at)
            steps.names.push_back(CString(fullPath + at, end - at));
        at = fullPath[end] == '\0' ? end : end + 1;
    }
    return steps;
}

CString PathSteps::Leading(size_t count) const
{
    CString path = root;
    for (size_t i = 0; i < count && i < names.size(); ++i) {
        if (i > 0)
            path += '\\';
        path += names[i];
    }
    return path;
}

CString PathSteps::Drive() const
{
    const int at = PathPrefix::Read(static_cast<const char*>(root)).length;
    if (root.GetLength() == at + 3 && IsDrive(root.Mid(at)))
        return root.Mid(at).Left(2);
    return CString();
}

template <typename Unit>
PathPrefix PathPrefix::Read(const Unit* text)
{
    std::basic_string<Unit> head;  // the first eight units, as far as text goes
    for (int i = 0; i < 8 && text[i] != 0; ++i)
        head += text[i];
    static const char* const kSpellings[] = {"\\\\?\\", "\\\\.\\", "\\??\\"};
    PathPrefix prefix;
    for (int i = 0; i < 3; ++i) {
        if (head.compare(0, 4, std::basic_string<Unit>(kSpellings[i], kSpellings[i] + 4)) == 0)
            prefix.kind = static_cast<Kind>(kVerbatim + i);
    }
    if (prefix.kind == kNone)
        return prefix;
    const char* const unc = "UNC\\";
    prefix.unc = FoldAscii(head.substr(4)) == std::basic_string<Unit>(unc, unc + 4);
    prefix.length = prefix.unc ? 8 : 4;
    return prefix;
}

template PathPrefix PathPrefix::Read(const char*);
template PathPrefix PathPrefix::Read(const char16_t*);
template PathPrefix PathPrefix::Read(const wchar_t*);
