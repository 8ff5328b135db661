#include "platform/win32_file_system_ops.h"

#include "platform/win32_code_page.h"

#include <sys/stat.h>
#include <windows.h>

bool Win32FileSystemOps::IsLeadByte(unsigned char byte) const
{
    return Win32CodePage().IsLeadByte(byte);
}

bool Win32FileSystemOps::GetStatus(const char* path, unsigned* mode)
{
    struct _stat status;
    if (_stat(path, &status) != 0)
        return false;
    *mode = status.st_mode;
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
