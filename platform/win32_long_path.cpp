#include "platform/win32_long_path.h"

#include "framework/path_text.h"
#include "framework/system_library.h"

#include <windows.h>

#include <cstring>

namespace {
// Where the first component after the root starts: after "C:\", or after
// "\\server\share\"; 0 when the path has neither form.
int RootLength(const char* path)
{
    if (path[0] != '\0' && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path[0] == '\\' && path[1] == '\\') {
        int separators = 2;
        for (int i = 2; path[i] != '\0'; ++i) {
            // Server and share names are ASCII here: a lead byte cannot hide a
            // separator before the share name ends.
            if (path[i] == '\\' && ++separators == 4)
                return i + 1;
        }
    }
    return 0;
}

typedef DWORD(WINAPI* GetLongPathNameFunction)(const char*, char*, DWORD);

bool LongPathOf(const char* path, const CodePage& codePage, CString& longPath)
{
    static const GetLongPathNameFunction getLongPathName =
        ModuleFunction<GetLongPathNameFunction>(::GetModuleHandleA("KERNEL32.DLL"),
                                                "GetLongPathNameA");
    if (!getLongPathName)
        return LongPathByWalking(path, codePage, longPath);
    char buffer[MAX_PATH];
    const DWORD length = getLongPathName(path, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    longPath = CString(buffer, static_cast<int>(length));
    return true;
}
}  // namespace

bool LongPathByWalking(const char* fullPath, const CodePage& codePage, CString& longPath)
{
    const int root = RootLength(fullPath);
    if (root == 0)
        return false;
    CString walked(fullPath, root);
    const char* component = fullPath + root;
    while (*component != '\0') {
        const CString rest(component);
        const int separator = FindFirstBackslash(rest, codePage);
        const CString name = separator < 0 ? rest : rest.Left(separator);
        // A wildcard would make the search match other names.
        if (name.IsEmpty() || std::strpbrk(name, "*?"))
            return false;
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA(walked + name, &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        ::FindClose(search);
        walked += found.cFileName;
        if (separator < 0)
            break;
        walked += '\\';
        component += separator + 1;
    }
    if (walked.GetLength() >= MAX_PATH)
        return false;
    longPath = walked;
    return true;
}

CString LongFormOfExistingPart(const char* fullPath, const CodePage& codePage)
{
    const int root = RootLength(fullPath);
    CString existing = fullPath;
    CString rest;
    for (;;) {
        CString longPath;
        if (LongPathOf(existing, codePage, longPath))
            return longPath + rest;
        const int cut = FindLastBackslash(existing, codePage);
        if (cut < root || cut <= 0)
            return fullPath;
        rest = existing.Mid(cut) + rest;
        existing = existing.Left(cut);
    }
}
