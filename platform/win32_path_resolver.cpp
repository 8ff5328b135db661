#include "platform/win32_path_resolver.h"

#include "framework/path_text.h"
#include "framework/system_library.h"
#include "platform/owned_handle.h"
#include "platform/win32_wide_to_ansi.h"

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

// text in upper case two ways, as the file system's case table would have
// it: the invariant locale's mapping and CharUpperBuffW. Both are looked up
// at run time; where a system lacks them or refuses them (9x), ASCII letters
// are folded.
void Fold(const std::wstring& wide, std::string& byLocale, std::string& byUpper)
{
    typedef int(WINAPI * MapFunction)(LCID, DWORD, const wchar_t*, int, wchar_t*, int);
    typedef DWORD(WINAPI * UpperFunction)(wchar_t*, DWORD);
    static const MapFunction map =
        ModuleFunction<MapFunction>(::GetModuleHandleA("KERNEL32.DLL"), "LCMapStringW");
    static const UpperFunction upperCase =
        ModuleFunction<UpperFunction>(::GetModuleHandleA("USER32.DLL"), "CharUpperBuffW");
    const int length = static_cast<int>(wide.size());
    std::wstring mapped(wide);
    if (length == 0 || !map ||
        map(kInvariantLocale, LCMAP_UPPERCASE, wide.data(), length, &mapped[0], length) != length)
        mapped = FoldAscii(wide);
    std::wstring upper(wide);
    if (length == 0 || !upperCase ||
        upperCase(&upper[0], static_cast<DWORD>(length)) != static_cast<DWORD>(length))
        upper = FoldAscii(wide);
    byLocale = Bytes(mapped);
    byUpper = Bytes(upper);
}

// The long name in the code page where it converts there and back unchanged:
// the ANSI functions would read any other spelling as another name.
CString Written(const std::wstring& name)
{
    CString written;
    return Win32WideToAnsi().Convert(std::u16string(name.begin(), name.end()), written)
               ? written
               : CString();
}

// A root that no open identifies (on 9x none does), by its text folded: a
// drive by its letter, a share without a \\?\UNC or \\.\UNC prefix.
std::string RootText(const PathSteps& steps)
{
    CString root = steps.Drive();
    if (root.IsEmpty()) {
        const PathPrefix prefix = PathPrefix::Read(static_cast<const char*>(steps.root));
        root = prefix.unc ? "\\\\" + steps.root.Mid(prefix.length) : steps.root;
    }
    std::string byLocale, byUpper;
    Fold(Wide(root), byLocale, byUpper);
    return "root " + byLocale;
}

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// An open that asks for no access, which no share mode of another opener
// refuses; a folder opens too.
HANDLE OpenHandleForIdentity(const CString& path)
{
    return ::CreateFileA(path, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                         nullptr);
}

// DELETE access is what a rename needs; every share mode is offered, so that
// a file in use (why the administrator is here) opens all the same.
HANDLE OpenHandleForRename(const char* path)
{
    return ::CreateFileA(path, DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The volume and file index of what file is open on, the same by every name
// and road to it; empty when it is not open or cannot say. The key's first
// kVolumeText characters are the volume's serial number and a colon.
const size_t kVolumeText = 9;
std::string KeyOf(const FileHandle& file)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!file.IsValid() || !::GetFileInformationByHandle(file.Get(), &information))
        return std::string();
    char key[32];
    ::wsprintfA(key, "%08lX:%08lX%08lX", information.dwVolumeSerialNumber,
                information.nFileIndexHigh, information.nFileIndexLow);
    return key;
}

// The key of a file open on the volume of the folder keyed folderKey, whose
// serial number is not asked again: under Wine it costs a call to another
// process, ten times the open, where the index alone
// (FileInternalInformation) is one of the file's own facts. Empty where the
// system cannot say (9x has no NtQueryInformationFile).
std::string KeyOnVolumeOf(const FileHandle& file, const std::string& folderKey)
{
    typedef LONG(WINAPI * QueryFunction)(HANDLE, void*, void*, ULONG, int);
    static const QueryFunction query = ModuleFunction<QueryFunction>(
        ::GetModuleHandleA("NTDLL.DLL"), "NtQueryInformationFile");
    const int kFileInternalInformation = 6;
    void* status[2];  // an IO_STATUS_BLOCK
    ULARGE_INTEGER index;
    if (!query || !file.IsValid() || folderKey.size() <= kVolumeText ||
        query(file.Get(), status, &index, sizeof index, kFileInternalInformation) != 0)
        return std::string();
    char indexText[24];
    ::wsprintfA(indexText, "%08lX%08lX", index.HighPart, index.LowPart);
    return folderKey.substr(0, kVolumeText) + indexText;
}

// Where the open arrived, as a path without the \\?\ prefix (a share's
// as \\server\share\...); empty where the system cannot say (it lacks
// GetFinalPathNameByHandleW before Vista).
std::wstring FinalPath(const FileHandle& file)
{
    typedef DWORD(WINAPI * FinalPathFunction)(HANDLE, wchar_t*, DWORD, DWORD);
    static const FinalPathFunction finalPath = ModuleFunction<FinalPathFunction>(
        ::GetModuleHandleA("KERNEL32.DLL"), "GetFinalPathNameByHandleW");
    wchar_t buffer[2 * MAX_PATH];
    const DWORD length = file.IsValid() && finalPath
                             ? finalPath(file.Get(), buffer, 2 * MAX_PATH, 0)
                             : 0;
    if (length == 0 || length >= 2 * MAX_PATH)
        return std::wstring();
    const std::wstring path(buffer, length);
    const PathPrefix prefix = PathPrefix::Read(path.c_str());
    if (prefix.kind != PathPrefix::kVerbatim)
        return path;
    return (prefix.unc ? L"\\\\" : L"") + path.substr(static_cast<size_t>(prefix.length));
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
    m_ownKeys.clear();
    m_files.clear();
    m_arrivedFolderKeys.clear();
}

void Win32PathResolver::Listing::Add(const Entry& entry, const std::wstring& shortName)
{
    std::string folded[2];
    Fold(entry.longName, folded[0], folded[1]);
    for (int i = 0; i < 2; ++i)
        names[i][folded[i]] = entries.size();
    if (!shortName.empty()) {
        Fold(shortName, folded[0], folded[1]);
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
    Fold(Wide(name), folded[0], folded[1]);
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

// The folder is listed in UTF-16 where the system can (not on 9x): the ANSI
// listing writes a name the code page lacks with look-alikes, which may be
// another file's name.
Win32PathResolver::Listing& Win32PathResolver::ListingOf(const PathSteps& steps, size_t count)
{
    typedef HANDLE(WINAPI * FindFirst)(const wchar_t*, WIN32_FIND_DATAW*);
    typedef BOOL(WINAPI * FindNext)(HANDLE, WIN32_FIND_DATAW*);
    static const HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    static const FindFirst findFirst = ModuleFunction<FindFirst>(kernel, "FindFirstFileW");
    static const FindNext findNext = ModuleFunction<FindNext>(kernel, "FindNextFileW");
    const CString folder = steps.Leading(count - 1);
    const auto [listing, added] = m_listings.try_emplace(std::string(folder));
    if (!added)
        return listing->second;
    const QuietErrors quiet;
    // The root ends in its backslash already.
    const CString pattern = folder + (count == 1 ? "*" : "\\*");
    WIN32_FIND_DATAW found;
    const SearchHandle search(findFirst && findNext ? findFirst(Wide(pattern).c_str(), &found)
                                                    : INVALID_HANDLE_VALUE);
    if (!findFirst || !findNext ||
        (!search.IsValid() && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED))
        return ListAnsi(pattern, listing->second);
    if (!search.IsValid())
        return listing->second;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        Entry entry;
        entry.exists = true;
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.longName = name;
        entry.writtenName = Written(name);
        listing->second.Add(entry, found.cAlternateFileName);
    } while (findNext(search.Get(), &found));
    return listing->second;
}

// 9x lists in its code page, which writes every name it holds.
Win32PathResolver::Listing& Win32PathResolver::ListAnsi(const CString& pattern, Listing& listing)
{
    WIN32_FIND_DATAA found;
    const SearchHandle search(::FindFirstFileA(pattern, &found));
    if (!search.IsValid())
        return listing;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        Entry entry;
        entry.exists = true;
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.longName = Wide(found.cFileName);
        entry.writtenName = found.cFileName;
        listing.Add(entry, Wide(found.cAlternateFileName));
    } while (::FindNextFileA(search.Get(), &found));
    return listing;
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
    if (Listing* listing = ListedFolderOf(path, entry.writtenName)) {
        entry.exists = true;
        entry.longName = Wide(entry.writtenName);
        listing->Add(entry, std::wstring());
    }
}

void Win32PathResolver::Deleted(const char* path)
{
    CString name;
    if (Listing* listing = ListedFolderOf(path, name))
        listing->Remove(name);
}

// A path of up to MAX_PATH characters takes up to twice as many bytes in a
// double-byte code page.
CString Win32PathResolver::FullPath(const char* path) const
{
    char full[2 * MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, &filePart);
    if (length == 0 || length >= sizeof full)
        return path;
    return CString(full, static_cast<int>(length));
}

const std::string& Win32PathResolver::OwnKey(const CString& path)
{
    const auto [entry, added] = m_ownKeys.try_emplace(std::string(path));
    if (added) {
        const QuietErrors quiet;
        entry->second.key = KeyOf(FileHandle(OpenHandleForIdentity(path)));
    }
    return entry->second.key;
}

// Windows shows a symbolic link to a file as a reparse point; Wine shows it
// as a plain file, but the open arrives at the file it leads to, under that
// file's name or in that file's folder. Where the system cannot say where an
// open arrives (before Vista), only the reparse point tells.
bool Win32PathResolver::ArrivesElsewhere(const FileHandle& opened, const std::wstring& longName,
                                         const std::string& folder)
{
    const std::wstring arrived = FinalPath(opened);
    const size_t cut = arrived.find_last_of(L'\\');
    if (cut == std::wstring::npos)
        return false;
    std::string arrivedName[2], ownName[2];
    Fold(arrived.substr(cut + 1), arrivedName[0], arrivedName[1]);
    Fold(longName, ownName[0], ownName[1]);
    // A root keeps its backslash: "T:\".
    const std::wstring arrivedFolder = arrived.substr(0, arrived.find(L'\\') == cut ? cut + 1 : cut);
    const auto [key, keyed] = m_arrivedFolderKeys.try_emplace(arrivedFolder);
    if (keyed)
        key->second = KeyOf(FileHandle(::CreateFileW(arrivedFolder.c_str(), 0, kShareAll, nullptr,
                                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                                     nullptr)));
    return (arrivedName[0] != ownName[0] && arrivedName[1] != ownName[1]) ||
           (!key->second.empty() && key->second != folder);
}

// One open answers every question of a file: it asks for DELETE access, and
// only where that is refused for no access, which always opens.
const Win32PathResolver::OpenedFile& Win32PathResolver::FileAt(const CString& path,
                                                               const std::wstring& longName,
                                                               const FileIdentity& identity,
                                                               bool inKeyedFolder)
{
    const auto [entry, added] = m_files.try_emplace(std::string(path));
    OpenedFile& file = entry->second;
    if (!added)
        return file;
    const QuietErrors quiet;
    const HANDLE forRename = OpenHandleForRename(path);
    file.renameDenied = forRename == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED;
    const FileHandle opened(forRename != INVALID_HANDLE_VALUE ? forRename
                                                              : OpenHandleForIdentity(path));
    // A link shows as a reparse point on Windows (and a link to a folder
    // under Wine); a file's is asked where its open arrives.
    file.elsewhere = !identity.link && ArrivesElsewhere(opened, longName, identity.folder);
    // A name that is no link lies on its folder's volume.
    if (inKeyedFolder && !identity.link && !file.elsewhere)
        file.key = KeyOnVolumeOf(opened, identity.folder);
    if (file.key.empty())
        file.key = KeyOf(opened);
    return file;
}

bool Win32PathResolver::RenameDenied(const char* path)
{
    const PathSteps steps = PathSteps::Split(FullPath(path), m_codePage);
    if (steps.Readable() && !steps.names.empty()) {
        const auto known = m_files.find(std::string(steps.Leading(steps.names.size())));
        if (known != m_files.end())
            return known->second.renameDenied;
    }
    const FileHandle file(OpenHandleForRename(path));
    return !file.IsValid() && ::GetLastError() == ERROR_ACCESS_DENIED;
}

CString Win32PathResolver::LongForm(const char* path)
{
    const CString full = FullPath(path);
    const PathSteps steps = PathSteps::Split(full, m_codePage);
    if (!steps.Readable())
        return full;
    CString longPath = steps.root;
    bool exists = true;
    for (size_t i = 0; i < steps.names.size(); ++i) {
        const Entry listed = exists ? LookUp(steps, i + 1) : Entry();
        exists = listed.exists;
        if (i > 0)
            longPath += '\\';
        longPath += exists && !listed.writtenName.IsEmpty() ? listed.writtenName : steps.names[i];
    }
    ForgetOutsideRun();
    return longPath;
}

// The folder is the deepest one on the way that an open identifies; below it
// each name that exists is taken by its long name, the rest as given. What
// exists is identified by its own key as well.
FileIdentity Win32PathResolver::IdentityOf(const char* path)
{
    const PathSteps steps = PathSteps::Split(FullPath(path), m_codePage);
    const size_t count = steps.names.size();
    FileIdentity identity;
    identity.unknown = !steps.Readable();
    if (identity.unknown)
        return identity;
    size_t start = count;  // the names from start on lie below the folder identified
    while (start > 0 && identity.folder.empty())
        identity.folder = OwnKey(steps.Leading(--start));
    const bool folderKeyed = !identity.folder.empty();
    if (!folderKeyed)
        identity.folder = RootText(steps);
    std::wstring rest;
    std::wstring listedName;  // the last name's, as listed
    bool exists = true;
    identity.directory = true;  // a root
    for (size_t i = start; i < count; ++i) {
        const Entry listed = exists ? LookUp(steps, i + 1) : Entry();
        exists = listed.exists;
        identity.directory = listed.folder;
        identity.link = listed.link;
        identity.nameOutsideCodePage = exists && listed.writtenName.IsEmpty();
        if (i > start)
            rest += L'\\';
        rest += exists ? listed.longName : Wide(steps.names[i]);
        listedName = listed.longName;
    }
    Fold(rest, identity.restFoldedByLocale, identity.restFoldedByUpper);
    identity.exists = exists;
    identity.directory = exists && identity.directory;
    const CString own = steps.Leading(count);
    if (identity.directory) {
        identity.self = OwnKey(own);
    } else if (exists) {
        const OpenedFile& file =
            FileAt(own, listedName, identity, folderKeyed && start + 1 == count);
        identity.self = file.key;
        identity.link = identity.link || file.elsewhere;
    }
    ForgetOutsideRun();
    return identity;
}
