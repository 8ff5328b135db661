#include "platform/win32_file_system_ops.h"

#include <windows.h>

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
    const bool copied = ::CopyFileA(source, destination, TRUE) != FALSE;
    if (copied)
        m_paths.Created(destination);
    return copied;
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
    const bool deleted = ::DeleteFileA(path) != FALSE;
    if (deleted)
        m_paths.Deleted(path);
    return deleted;
}

CString Win32FileSystemOps::LongForm(const char* path)
{
    return m_paths.LongForm(path);
}

FileIdentity Win32FileSystemOps::IdentityOf(const char* path)
{
    return m_paths.IdentityOf(path);
}
