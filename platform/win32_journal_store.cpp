#include "platform/win32_journal_store.h"

#include "framework/path_text.h"
#include "framework/system_library.h"
#include "framework/win32_code_page.h"
#include "platform/owned_handle.h"

#include <windows.h>

namespace {
// The system's Windows folder. On a terminal server GetWindowsDirectoryA
// answers each user's own folder; GetSystemWindowsDirectoryA, which NT 4.0
// Terminal Server Edition and 2000 brought, answers the shared one and is
// looked up at run time.
CString SystemWindowsFolder()
{
    typedef UINT(WINAPI * SystemWindowsDirectoryFunction)(char*, UINT);
    const auto systemWindowsDirectory = ModuleFunction<SystemWindowsDirectoryFunction>(
        ::GetModuleHandleA("KERNEL32.DLL"), "GetSystemWindowsDirectoryA");
    char folder[MAX_PATH];
    const UINT length = systemWindowsDirectory ? systemWindowsDirectory(folder, MAX_PATH)
                                               : ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return CString(folder, static_cast<int>(length));
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                         &written, nullptr) &&
                             written == bytes.size());
}
}  // namespace

Win32JournalStore::Win32JournalStore()
{
    const CString folder = SystemWindowsFolder();
    if (folder.IsEmpty())
        return;
    m_path = folder;
    if (!EndsWithBackslash(m_path, Win32CodePage()))
        m_path += '\\';
    m_path += kJournalFileName;
}

bool Win32JournalStore::Read(unsigned long limit, std::string& bytes)
{
    bytes.clear();
    if (m_path.IsEmpty())
        return false;
    const FileHandle file(::CreateFileA(m_path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    DWORD high = 0;
    ::SetLastError(NO_ERROR);
    const DWORD size = ::GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return false;
    // A file past 4 GiB is read from its last 4 GiB boundary on: within limit
    // of its end all the same, as limit is far below that.
    const DWORD length = high != 0 || size > limit ? limit : size;
    LONG offsetHigh = static_cast<LONG>(high);
    if (::SetFilePointer(file.Get(), static_cast<LONG>(size - length), &offsetHigh, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        ::GetLastError() != NO_ERROR)
        return false;
    std::string content(length, '\0');
    DWORD read = 0;
    if (length != 0 && (!::ReadFile(file.Get(), &content[0], length, &read, nullptr) ||
                        read != length))
        return false;
    bytes.swap(content);
    return true;
}

bool Win32JournalStore::Size(unsigned long& size)
{
    size = 0;
    if (m_path.IsEmpty())
        return false;
    WIN32_FIND_DATAA found;
    const SearchHandle search(::FindFirstFileA(m_path, &found));
    if (!search.IsValid())
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.nFileSizeHigh != 0)
        return false;
    size = found.nFileSizeLow;
    return true;
}

bool Win32JournalStore::Append(const std::string& bytes)
{
    if (m_path.IsEmpty())
        return false;
    const FileHandle file(::CreateFileA(m_path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LONG high = 0;
    if (::SetFilePointer(file.Get(), 0, &high, FILE_END) == INVALID_SET_FILE_POINTER &&
        ::GetLastError() != NO_ERROR)
        return false;
    return WriteAll(file.Get(), bytes);
}

// The new content goes to a file beside the journal first (TESSERA.LO~, an
// 8.3 name too), which then takes the journal's name. The 9x family has no MoveFileExA: there the journal is
// deleted first, and for that moment there is none.
bool Win32JournalStore::Replace(const std::string& bytes)
{
    if (m_path.IsEmpty())
        return false;
    const CString temporary = m_path.Left(m_path.GetLength() - 1) + "~";
    {
        const FileHandle file(::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return false;
        if (!WriteAll(file.Get(), bytes)) {
            ::DeleteFileA(temporary);
            return false;
        }
    }
    if (::MoveFileExA(temporary, m_path, MOVEFILE_REPLACE_EXISTING) ||
        (::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && ::DeleteFileA(m_path) &&
         ::MoveFileA(temporary, m_path)))
        return true;
    ::DeleteFileA(temporary);
    return false;
}

LocalTime Win32Clock::Now()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                     now.wMilliseconds};
}
