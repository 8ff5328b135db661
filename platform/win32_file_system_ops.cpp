#include "platform/win32_file_system_ops.h"

#include "framework/win32_code_page.h"
#include "platform/win32_long_path.h"

#include <windows.h>

#include <cstring>

// The file attributes rather than the run-time library's _stat: Wine's _stat
// takes a path whose last character is a double-byte one with 0x5C as its
// second byte (…\表) for a path ending in a backslash, and fails on it.
bool Win32FileSystemOps::GetStatus(const char* path, unsigned* mode)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        *mode = kModeDirectory;
    else if (attributes & FILE_ATTRIBUTE_DEVICE)
        *mode = 0;
    else
        *mode = kModeRegular;
    return true;
}

bool Win32FileSystemOps::CopyWithoutOverwrite(const char* source, const char* destination)
{
    return ::CopyFileA(source, destination, TRUE) != FALSE;
}

bool Win32FileSystemOps::MoveAtRestart(const char* from, const char* to)
{
    return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool Win32FileSystemOps::WriteProfileEntry(const char* section, const char* key,
                                            const char* value, const char* file)
{
    return ::WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

bool Win32FileSystemOps::GetShortPath(const char* path, CString& shortPath)
{
    char buffer[MAX_PATH];
    const DWORD length = ::GetShortPathNameA(path, buffer, MAX_PATH);
    // A result of MAX_PATH or more is the size the buffer would need.
    if (length == 0 || length >= MAX_PATH)
        return false;
    shortPath = CString(buffer, static_cast<int>(length));
    return true;
}

bool Win32FileSystemOps::RemoveFile(const char* path)
{
    return ::DeleteFileA(path) != FALSE;
}

CString Win32FileSystemOps::CanonicalName(const char* path)
{
    char full[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return path;
    // A short alias that differs from its long name holds a '~' (FOO~1.DLL,
    // or Wine's FOO~XY1.DLL): a path without one is already its long form but
    // for case, which comparisons fold. The lookups this saves read whole
    // folders for every name that does not exist yet. (0x7E can be the second
    // byte of a double-byte character; such a path is merely looked up.)
    if (!std::strchr(full, '~'))
        return full;
    return LongFormOfExistingPart(full, Win32CodePage());
}
