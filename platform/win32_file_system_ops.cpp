#include "platform/win32_file_system_ops.h"

#include "framework/system_library.h"
#include "platform/owned_handle.h"

#include <windows.h>

#include <cstring>
#include <string>

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

// The attributes where the system has them (not 95): one call, where a
// search costs many times more under Wine. A file held without shared reading
// (a paging file) refuses them; the folder's listing answers for a file in
// use, whoever holds it and however it is shared, on every release. A
// wildcard would find another file; no name holds one, the prefix \\?\ holds
// none either, and no trail byte of a double-byte character is a '*' or a
// '?'.
bool Win32FileSystemOps::GetFacts(const char* path, FileFacts& facts)
{
    typedef BOOL(WINAPI * AttributesFunction)(const char*, GET_FILEEX_INFO_LEVELS, void*);
    static const auto attributesOf = ModuleFunction<AttributesFunction>(
        ::GetModuleHandleA("KERNEL32.DLL"), "GetFileAttributesExA");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (attributesOf && attributesOf(path, GetFileExInfoStandard, &data)) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            return false;
        facts.size = static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        facts.lastWrite = static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                          data.ftLastWriteTime.dwLowDateTime;
        return true;
    }
    const char* name = std::strncmp(path, "\\\\?\\", 4) == 0 ? path + 4 : path;
    if (std::strpbrk(name, "*?") != nullptr)
        return false;
    WIN32_FIND_DATAA found;
    const SearchHandle search(::FindFirstFileA(path, &found));
    if (!search.IsValid() || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    facts.size = static_cast<unsigned long long>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    facts.lastWrite = static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32 |
                      found.ftLastWriteTime.dwLowDateTime;
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

void Win32FileSystemOps::EndRun()
{
    m_paths.EndRun();
    if (!m_paths.InRun()) {
        m_networkDrives.clear();
        m_driveTargets.clear();
    }
}

bool Win32FileSystemOps::IsNetworkDrive(const char* root)
{
    const auto [answer, added] = m_networkDrives.try_emplace(root);
    if (added || !m_paths.InRun())
        answer->second = ::GetDriveTypeA(root) == DRIVE_REMOTE;
    return answer->second;
}

// QueryDosDeviceA is looked up at run time: Windows 95 lacks it.
bool Win32FileSystemOps::DriveTarget(const char* drive, CString& target)
{
    typedef DWORD(WINAPI * QueryDosDeviceFunction)(const char*, char*, DWORD);
    static const QueryDosDeviceFunction queryDosDevice = ModuleFunction<QueryDosDeviceFunction>(
        ::GetModuleHandleA("KERNEL32.DLL"), "QueryDosDeviceA");
    const auto [known, added] = m_driveTargets.try_emplace(drive);
    if (added || !m_paths.InRun()) {
        char answer[1024];
        // The answer is a list of NUL-terminated strings; the first is in force.
        const bool answered = queryDosDevice && queryDosDevice(drive, answer, sizeof answer) != 0;
        known->second = answered ? answer : "";
    }
    target = known->second;
    return !target.IsEmpty();
}

bool Win32FileSystemOps::RenameDenied(const char* path)
{
    return m_paths.RenameDenied(path);
}

// sfc.dll is looked up at run time: NT 4.0 and the 9x family have none.
bool Win32FileSystemOps::IsProtectedFile(const char* path)
{
    typedef BOOL(WINAPI * SfcIsFileProtectedFunction)(HANDLE, const wchar_t*);
    static const SfcIsFileProtectedFunction isProtected =
        SystemFunction<SfcIsFileProtectedFunction>("SFC.DLL", "SfcIsFileProtected");
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (!isProtected || length <= 0)
        return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    return isProtected(nullptr, wide.c_str()) != FALSE;
}
