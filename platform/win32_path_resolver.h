// Long spellings and identities of paths, asked of the file system. The folder
// listing gives each existing component its long name (an alias resolves,
// with or without a '~'); an opened folder gives its volume and file index,
// the same on every road to it (a second drive letter, a share, a folder
// link, the \\?\ and \\.\ prefixes); names fold as Windows folds them, over
// all of Unicode.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "framework/path_text.h"
#include "platform/file_system_ops.h"

#include <map>
#include <string>

class Win32PathResolver {
public:
    explicit Win32PathResolver(const CodePage& codePage) : m_codePage(codePage) {}

    CString LongForm(const char* path);
    FileIdentity IdentityOf(const char* path);

    // Within a run, what was learnt of folders and names is kept; the end of
    // the run forgets it.
    void BeginRun() { ++m_runs; }
    void EndRun();
    // path was created or deleted meanwhile: what was learnt of it is stale.
    void Forget(const char* path);

private:
    struct Listing {
        bool exists = false;
        bool folder = false;
        bool link = false;  // a reparse point: a symbolic link, a junction, a mount point
        CString longName;
    };
    // What the folder listing says of the path made of the root and the
    // first count names (count >= 1).
    const Listing& LookUp(const PathSteps& steps, size_t count);
    // An existing folder's volume and file index; empty for anything else,
    // and on 9x, where folders cannot be opened.
    const std::string& FolderKey(const CString& path);
    CString FullPath(const char* path) const;
    void ForgetOutsideRun();

    const CodePage& m_codePage;
    int m_runs = 0;
    std::map<std::string, Listing> m_listings;
    std::map<std::string, std::string> m_folderKeys;
};
