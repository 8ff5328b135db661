#include "platform/win32_restart_queue_store.h"

#include "framework/cstring.h"
#include "framework/path_text.h"
#include "framework/win32_code_page.h"
#include "platform/owned_handle.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {
const wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// The names are ASCII, so each byte is its own UTF-16 unit.
std::wstring ValueName(NtQueueValue value)
{
    const char* name = NtQueueValueName(value);
    return std::wstring(name, name + std::strlen(name));
}

QueueResult OpenSessionManager(REGSAM access, HKEY* key)
{
    const LONG status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, access, key);
    if (status == ERROR_SUCCESS)
        return QueueResult::kOk;
    return status == ERROR_FILE_NOT_FOUND ? QueueResult::kEmpty : QueueResult::kSystemError;
}

// The size is asked first so that a huge value is never read; the value may
// grow between the two calls, and is then asked again.
QueueResult QueryValue(HKEY key, const wchar_t* name, std::string& raw)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return QueueResult::kEmpty;
        if (status != ERROR_SUCCESS)
            return QueueResult::kSystemError;
        if (type != REG_MULTI_SZ)
            return QueueResult::kMalformed;
        if (size > kMaxQueueBytes)
            return QueueResult::kTooLarge;
        std::string bytes(size, '\0');
        status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                                    &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status == ERROR_FILE_NOT_FOUND ? QueueResult::kEmpty : QueueResult::kSystemError;
        if (type != REG_MULTI_SZ)
            return QueueResult::kMalformed;
        bytes.resize(size);
        raw.swap(bytes);
        return QueueResult::kOk;
    }
    return QueueResult::kSystemError;
}

CString WininitPath()
{
    char directory[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString path(directory, static_cast<int>(length));
    if (!EndsWithBackslash(path, Win32CodePage()))
        path += '\\';
    return path + kWininitFileName;
}

// The 9x profile functions keep the last initialization file they touched in
// a cache and write it back later; flushing it first puts the file on disk in
// the state the profile functions see.
void FlushProfileCache(const char* path)
{
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
}

QueueResult ReadWholeFile(HANDLE file, std::string& bytes)
{
    DWORD high = 0;
    ::SetLastError(NO_ERROR);
    const DWORD size = ::GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return QueueResult::kSystemError;
    if (high != 0 || size > kMaxQueueBytes)
        return QueueResult::kTooLarge;
    std::string content(size, '\0');
    DWORD read = 0;
    if (size != 0 && (!::ReadFile(file, &content[0], size, &read, nullptr) || read != size))
        return QueueResult::kSystemError;
    bytes.swap(content);
    return QueueResult::kOk;
}

QueueResult WriteWholeFile(HANDLE file, const std::string& bytes)
{
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 ||
        (size != 0 &&
         (!::WriteFile(file, bytes.data(), size, &written, nullptr) || written != size)) ||
        !::SetEndOfFile(file))
        return QueueResult::kSystemError;
    return QueueResult::kOk;
}
}  // namespace

QueueResult Win32RestartQueueStore::ReadNtValue(NtQueueValue value, std::string& raw)
{
    raw.clear();
    HKEY key = nullptr;
    const QueueResult opened = OpenSessionManager(KEY_QUERY_VALUE, &key);
    if (opened != QueueResult::kOk)
        return opened;
    const QueueResult result = QueryValue(key, ValueName(value).c_str(), raw);
    ::RegCloseKey(key);
    return result;
}

// The registry offers no compare-and-swap: the window between the check and
// the write is a single call wide.
QueueResult Win32RestartQueueStore::RewriteNtValue(NtQueueValue value, const std::string& read,
                                                   const std::string& rewritten)
{
    HKEY key = nullptr;
    const QueueResult opened = OpenSessionManager(KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (opened != QueueResult::kOk)
        return opened == QueueResult::kEmpty ? QueueResult::kChanged : opened;
    std::string current;
    QueueResult result = QueryValue(key, ValueName(value).c_str(), current);
    if (result == QueueResult::kEmpty || (result == QueueResult::kOk && current != read))
        result = QueueResult::kChanged;
    if (result == QueueResult::kOk &&
        ::RegSetValueExW(key, ValueName(value).c_str(), 0, REG_MULTI_SZ,
                         reinterpret_cast<const BYTE*>(rewritten.data()),
                         static_cast<DWORD>(rewritten.size())) != ERROR_SUCCESS)
        result = QueueResult::kSystemError;
    ::RegCloseKey(key);
    return result;
}

QueueResult Win32RestartQueueStore::ReadWininit(std::string& bytes)
{
    bytes.clear();
    const CString path = WininitPath();
    if (path.IsEmpty())
        return QueueResult::kSystemError;
    FlushProfileCache(path);
    const FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? QueueResult::kEmpty
                                                        : QueueResult::kSystemError;
    return ReadWholeFile(file.Get(), bytes);
}

// Opened without sharing, so that nobody can change the file between the
// check and the write.
QueueResult Win32RestartQueueStore::RewriteWininit(const std::string& read,
                                                   const std::string& rewritten)
{
    const CString path = WininitPath();
    if (path.IsEmpty())
        return QueueResult::kSystemError;
    FlushProfileCache(path);
    const FileHandle file(::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? QueueResult::kChanged
                                                        : QueueResult::kSystemError;
    std::string current;
    QueueResult result = ReadWholeFile(file.Get(), current);
    if (result == QueueResult::kOk && current != read)
        result = QueueResult::kChanged;
    if (result == QueueResult::kOk)
        result = WriteWholeFile(file.Get(), rewritten);
    return result;
}
