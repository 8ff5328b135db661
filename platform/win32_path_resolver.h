// Long spellings and identities of paths, asked of the file system. The folder
// listing, read in UTF-16, gives each existing component its long name (an
// alias resolves, with or without a '~'), used in a path only where the code
// page writes it exactly; an opened file or folder gives its volume and file
// index, the same on every road to it (a second drive letter, a share, a
// link, a hard link, the \\?\ and \\.\ prefixes); names fold as Windows
// folds them, over all of Unicode.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "framework/path_text.h"
#include "platform/file_system_ops.h"
#include "platform/owned_handle.h"

#include <map>
#include <string>
#include <vector>

class Win32PathResolver {
public:
    explicit Win32PathResolver(const CodePage& codePage) : m_codePage(codePage) {}

    CString LongForm(const char* path);
    FileIdentity IdentityOf(const char* path);
    // True when the file at path refuses to be opened for deletion (access
    // denied). Within a run, a file that IdentityOf has opened is not opened
    // again.
    bool RenameDenied(const char* path);

    // Within a run, folders are listed and opened once, and what was learnt
    // is kept; the end of the run forgets it.
    void BeginRun() { ++m_runs; }
    void EndRun();
    bool InRun() const { return m_runs > 0; }
    // This program created or deleted the file at path: its folder's listing
    // is brought up to date.
    void Created(const char* path);
    void Deleted(const char* path);

private:
    struct Entry {
        bool exists = false;
        bool folder = false;
        bool link = false;  // a reparse point: a symbolic link, a junction, a mount point
        std::wstring longName;
        // The long name in the code page, where it converts there and back
        // unchanged; else empty.
        CString writtenName;
    };
    // A folder's names, found by their long or short names in either folding.
    struct Listing {
        std::vector<Entry> entries;
        std::map<std::string, size_t> names[2];
        std::map<std::string, size_t> shortNames[2];

        void Add(const Entry& entry, const std::wstring& shortName);
        void Remove(const CString& name);
        // The entry that name finds, or entries.size().
        size_t IndexOf(const CString& name) const;
    };
    // The entry that the root and the first count names (count >= 1) lead to.
    Entry LookUp(const PathSteps& steps, size_t count);
    Listing& ListingOf(const PathSteps& steps, size_t count);
    static Listing& ListAnsi(const CString& pattern, Listing& listing);
    // The listing of the folder that holds path, if it was listed; name
    // receives path's last name.
    Listing* ListedFolderOf(const char* path, CString& name);
    // What an open of an existing file or folder told.
    struct OpenedFile {
        // Its volume and file index; empty for anything else, and where no
        // open identifies it (folders on 9x).
        std::string key;
        bool elsewhere = false;     // the open arrived at another name or folder
        bool renameDenied = false;  // DELETE access was refused
    };
    // A folder's key (or a file's, on the way to another name).
    const std::string& OwnKey(const CString& path);
    // The file at path, whose last name is listed as longName; identity
    // holds what the listing told of it and its folder, which inKeyedFolder
    // says is the folder that holds it, identified by an open.
    const OpenedFile& FileAt(const CString& path, const std::wstring& longName,
                             const FileIdentity& identity, bool inKeyedFolder);
    // True when an open (opened), whose last name is listed as longName in
    // the folder identified as folder, arrives at another name or folder.
    bool ArrivesElsewhere(const FileHandle& opened, const std::wstring& longName,
                          const std::string& folder);
    CString FullPath(const char* path) const;
    void ForgetOutsideRun();

    const CodePage& m_codePage;
    int m_runs = 0;
    std::map<std::string, Listing> m_listings;  // by the folder's path
    // Folders by OwnKey, files by FileAt: a file on the way to another name
    // was not asked what FileAt asks.
    std::map<std::string, OpenedFile> m_ownKeys;
    std::map<std::string, OpenedFile> m_files;
    std::map<std::wstring, std::string> m_arrivedFolderKeys;
};
