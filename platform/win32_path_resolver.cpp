#include "platform/win32_path_resolver.h"

#include "framework/path_text.h"
#include "framework/system_library.h"

#include <windows.h>

#include <cstring>

namespace {
// LOCALE_INVARIANT, which headers for NT 4.0 do not define; releases before
// XP refuse it, and names are then folded the other ways.
const LCID kInvariantLocale = 0x007F;

// A drive without its disk or a share that is gone answers as missing,
// without a box that asks the user to insert a disk. Set around the calls that
// reach a drive rather than around whole lookups: most lookups of a run are
// answered from what it has learnt and need neither the drive nor the two
// calls that set and restore the error mode.
class QuietErrors {
public:
    QuietErrors() : m_previous(::SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietErrors() { ::SetErrorMode(m_previous); }

private:
    UINT m_previous;
};

std::wstring Wide(const CString& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), &wide[0], length);
    return wide;
}

std::string Bytes(const std::wstring& wide)
{
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

std::wstring AsciiUpper(std::wstring wide)
{
    for (wchar_t& unit : wide) {
        if (unit < 0x80)
            unit = static_cast<unsigned char>(FoldAscii(static_cast<char>(unit)));
    }
    return wide;
}

// text in upper case two ways, as the file system's case table would have
// it: the invariant locale's mapping and CharUpperBuffW. Both are looked up
// at run time; where a system lacks them or refuses them (9x), ASCII letters
// are folded.
void Fold(const CString& text, std::string names[2])
{
    typedef int(WINAPI * MapFunction)(LCID, DWORD, const wchar_t*, int, wchar_t*, int);
    typedef DWORD(WINAPI * UpperFunction)(wchar_t*, DWORD);
    static const MapFunction map =
        ModuleFunction<MapFunction>(::GetModuleHandleA("KERNEL32.DLL"), "LCMapStringW");
    static const UpperFunction upperCase =
        ModuleFunction<UpperFunction>(::GetModuleHandleA("USER32.DLL"), "CharUpperBuffW");
    const std::wstring wide = Wide(text);
    const int length = static_cast<int>(wide.size());
    std::wstring mapped(wide);
    if (length == 0 || !map ||
        map(kInvariantLocale, LCMAP_UPPERCASE, wide.data(), length, &mapped[0], length) != length)
        mapped = AsciiUpper(wide);
    std::wstring upper(wide);
    if (length == 0 || !upperCase ||
        upperCase(&upper[0], static_cast<DWORD>(length)) != static_cast<DWORD>(length))
        upper = AsciiUpper(wide);
    names[0] = Bytes(mapped);
    names[1] = Bytes(upper);
}

bool StartsWith(const CString& text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// A root that no open identifies (on 9x none does), by its text folded: a
// drive by its letter, a share without a \\?\UNC or \\.\UNC prefix.
std::string RootText(const PathSteps& steps)
{
    CString root = steps.Drive();
    if (root.IsEmpty()) {
        root = steps.root;
        // \\?\UNC\server\share\ is \\server\share\.
        if (steps.share && (StartsWith(root, "\\\\?\\") || StartsWith(root, "\\\\.\\")))
            root = "\\" + root.Mid(7);
    }
    std::string names[2];
    Fold(root, names);
    return "root " + names[0];
}
}  // namespace

void Win32PathResolver::EndRun()
{
    --m_runs;
    ForgetOutsideRun();
}

void Win32PathResolver::ForgetOutsideRun()
{
    if (m_runs > 0)
        return;
    m_listings.clear();
    m_folderKeys.clear();
}

void Win32PathResolver::Listing::Add(const Entry& entry, const char* shortName)
{
    std::string folded[2];
    Fold(entry.longName, folded);
    for (int i = 0; i < 2; ++i)
        names[i][folded[i]] = entries.size();
    if (*shortName != '\0') {
        Fold(shortName, folded);
        for (int i = 0; i < 2; ++i)
            shortNames[i][folded[i]] = entries.size();
    }
    entries.push_back(entry);
}

// A long name is found before another file's short name, as the file system
// finds it.
size_t Win32PathResolver::Listing::IndexOf(const CString& name) const
{
    std::string folded[2];
    Fold(name, folded);
    for (const auto* byName : {names, shortNames}) {
        for (int i = 0; i < 2; ++i) {
            const auto found = byName[i].find(folded[i]);
            if (found != byName[i].end() && entries[found->second].exists)
                return found->second;
        }
    }
    return entries.size();
}

void Win32PathResolver::Listing::Remove(const CString& name)
{
    const size_t index = IndexOf(name);
    if (index < entries.size())
        entries[index].exists = false;
}

Win32PathResolver::Listing& Win32PathResolver::ListingOf(const PathSteps& steps, size_t count)
{
    const CString folder = steps.Leading(count - 1);
    const auto [listing, added] = m_listings.try_emplace(std::string(folder));
    if (!added)
        return listing->second;
    const QuietErrors quiet;
    // The root ends in its backslash already.
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(folder + (count == 1 ? "*" : "\\*"), &found);
    if (search == INVALID_HANDLE_VALUE)
        return listing->second;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        Entry entry;
        entry.exists = true;
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.longName = found.cFileName;
        listing->second.Add(entry, found.cAlternateFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return listing->second;
}

Win32PathResolver::Entry Win32PathResolver::LookUp(const PathSteps& steps, size_t count)
{
    const Listing& listing = ListingOf(steps, count);
    const size_t index = listing.IndexOf(steps.names[count - 1]);
    return index < listing.entries.size() ? listing.entries[index] : Entry();
}

Win32PathResolver::Listing* Win32PathResolver::ListedFolderOf(const char* path, CString& name)
{
    const PathSteps steps = PathSteps::Split(FullPath(path), m_codePage);
    if (steps.names.empty())
        return nullptr;
    name = steps.names.back();
    const auto listing = m_listings.find(std::string(steps.Leading(steps.names.size() - 1)));
    return listing == m_listings.end() ? nullptr : &listing->second;
}

void Win32PathResolver::Created(const char* path)
{
    Entry entry;
    if (Listing* listing = ListedFolderOf(path, entry.longName)) {
        entry.exists = true;
        listing->Add(entry, "");
    }
}

void Win32PathResolver::Deleted(const char* path)
{
    CString name;
    if (Listing* listing = ListedFolderOf(path, name))
        listing->Remove(name);
}

CString Win32PathResolver::FullPath(const char* path) const
{
    char full[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return path;
    return CString(full, static_cast<int>(length));
}

const std::string& Win32PathResolver::FolderKey(const CString& path)
{
    const auto [entry, added] = m_folderKeys.try_emplace(std::string(path));
    if (!added)
        return entry->second;
    const QuietErrors quiet;
    const HANDLE folder =
        ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return entry->second;
    BY_HANDLE_FILE_INFORMATION information;
    if (::GetFileInformationByHandle(folder, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        char key[32];
        ::wsprintfA(key, "%08lX:%08lX%08lX", information.dwVolumeSerialNumber,
                    information.nFileIndexHigh, information.nFileIndexLow);
        entry->second = key;
    }
    ::CloseHandle(folder);
    return entry->second;
}

CString Win32PathResolver::LongForm(const char* path)
{
    const CString full = FullPath(path);
    const PathSteps steps = PathSteps::Split(full, m_codePage);
    if (steps.root.IsEmpty())
        return full;
    CString longPath = steps.root;
    bool exists = true;
    for (size_t i = 0; i < steps.names.size(); ++i) {
        const Entry listed = exists ? LookUp(steps, i + 1) : Entry();
        exists = listed.exists;
        if (i > 0)
            longPath += '\\';
        longPath += exists ? listed.longName : steps.names[i];
    }
    ForgetOutsideRun();
    return longPath;
}

// The folder is the deepest one on the way that an open identifies; below it
// each name that exists is taken by its long name, the rest as given.
FileIdentity Win32PathResolver::IdentityOf(const char* path)
{
    const PathSteps steps = PathSteps::Split(FullPath(path), m_codePage);
    const size_t count = steps.names.size();
    FileIdentity identity;
    size_t start = count;  // the names from start on lie below the folder identified
    while (start > 0 && identity.folder.empty())
        identity.folder = FolderKey(steps.Leading(--start));
    if (identity.folder.empty())
        identity.folder = RootText(steps);
    CString rest;
    bool exists = true;
    bool folder = true;
    for (size_t i = start; i < count; ++i) {
        const Entry listed = exists ? LookUp(steps, i + 1) : Entry();
        exists = listed.exists;
        folder = listed.folder;
        identity.link = listed.link;
        if (i > start)
            rest += '\\';
        rest += exists ? listed.longName : steps.names[i];
    }
    Fold(rest, identity.names);
    identity.exists = exists;
    // A folder that cannot be opened (none can on 9x) is known by its name.
    if (exists && folder) {
        identity.self = FolderKey(steps.Leading(count));
        if (identity.self.empty())
            identity.self = "name " + identity.folder + identity.names[0];
    }
    ForgetOutsideRun();
    return identity;
}
