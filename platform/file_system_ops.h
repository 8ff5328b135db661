// The file services that the plan rules and the schedulers rely on. Paths are
// narrow strings in the system's ANSI code page.
#pragma once

#include "framework/cstring.h"

#include <cstring>
#include <string>

// What the file system makes of a path, for telling whether two paths name
// one file. The keys are opaque bytes.
struct FileIdentity {
    // An existing file's or folder's own key: its volume and file index, from
    // an open that asks for no access, the same by every name and road to it
    // (a link, a hard link, a second drive letter, a prefix); empty for a name
    // that is not there, and for one that no open identifies (a folder on 9x).
    std::string self;
    // The deepest folder on the way that an open identifies, whatever road
    // reached it, and the rest of the path below it, each existing name by its
    // long name, case folded two ways: as the invariant locale folds it and as
    // CharUpperBuffW does. Where the two foldings disagree, the names count as
    // one: a refusal loses nothing, a missed meeting loses bytes.
    std::string folder;
    std::string restFoldedByLocale;
    std::string restFoldedByUpper;
    bool exists = false;     // something of this name is there now
    bool directory = false;  // what is there is a folder
    // The last name is a link to elsewhere (a symbolic link, a junction, a
    // mount point): renames of it and of the folders above where it leads do
    // not move what it names.
    bool link = false;
    // The last name exists under a long name that the code page cannot write:
    // the path reaches it by another spelling (an alias), which a rename would
    // make its name.
    bool nameOutsideCodePage = false;
    // The path could not be read into a root and names (PathSteps): it may
    // name any file, and meets every name.
    bool unknown = false;
};

// What tells one content of a file from another without reading its bytes.
struct FileFacts {
    unsigned long long size = 0;
    // Last written, in 100-nanosecond units since 1601-01-01 UTC (a FILETIME).
    // A copy keeps its source's.
    unsigned long long lastWrite = 0;
};

// True when the file system takes a and b to one file, or to one name in one
// folder; or when either is unknown.
inline bool IsSameFile(const FileIdentity& a, const FileIdentity& b)
{
    return a.unknown || b.unknown || (!a.self.empty() && a.self == b.self) ||
           (a.folder == b.folder && (a.restFoldedByLocale == b.restFoldedByLocale ||
                                     a.restFoldedByUpper == b.restFoldedByUpper));
}

// Paths are split and searched with the code page that travels beside these
// services (framework/path_text.h).
class FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    static constexpr unsigned kModeDirectory = 0x4000;  // S_IFDIR
    static constexpr unsigned kModeRegular = 0x8000;    // S_IFREG

    // Succeeds when something exists at path; mode then tells its kind.
    virtual bool GetStatus(const char* path, unsigned* mode) = 0;
    // Succeeds for a file (not a folder) at path, even one in use.
    virtual bool GetFacts(const char* path, FileFacts& facts) = 0;
    // True only when destination did not exist and the copy was made.
    virtual bool CopyWithoutOverwrite(const char* source, const char* destination) = 0;
    // Records a rename for the next restart, replacing an existing file of the
    // new name then; nothing moves now. Restarts run records in recording order.
    virtual bool MoveAtRestart(const char* from, const char* to) = 0;
    // Writes or replaces key=value in section of the profile file; a null
    // value removes the key's line. A bare file name lies in the Windows
    // directory.
    virtual bool WriteProfileEntry(const char* section, const char* key, const char* value,
                                    const char* file) = 0;
    // The 8.3 form of an existing path; fails when it cannot be had or does not
    // fit 259 bytes.
    virtual bool GetShortPath(const char* path, CString& shortPath) = 0;
    // The full path (relative parts, ".", ".." and "/" resolved, the root as
    // given) with every component that exists by its long name, as the
    // folder lists it, and the rest as given: the name a rename must use to
    // keep a file's long name. A long name that the code page cannot write
    // keeps the spelling given, which reaches the same file.
    virtual CString LongForm(const char* path) = 0;
    virtual FileIdentity IdentityOf(const char* path) = 0;
    // Within a run (one scheduling, one listing, one cancel) the services may
    // keep what they learn of folders, so that many names in a few folders
    // cost a few lookups; outside a run nothing is kept. See FileSystemRun.
    virtual void BeginRun() {}
    virtual void EndRun() {}
    // Deletes the file at path now; false when it is not there or could not be
    // deleted (read-only, held open).
    virtual bool RemoveFile(const char* path) = 0;

    // What the restart will meet. The restart runs before the network and
    // outside the session, and renames as the system.
    //
    // True when Windows calls the drive of root ("X:\") a network drive.
    virtual bool IsNetworkDrive(const char* root) = 0;
    // What a drive letter ("X:") stands for, as QueryDosDeviceA answers: a
    // device ("\Device\HarddiskVolume1") or, for a letter that subst made
    // in this session, a folder ("\??\C:\sub"). False where the system
    // cannot say (9x, or a letter it does not know).
    virtual bool DriveTarget(const char* drive, CString& target) = 0;
    // True when the file at path refuses to be opened for deletion (access
    // denied): neither the administrators nor the system may rename it. A file
    // in use, or one that is not there, is no such file.
    virtual bool RenameDenied(const char* path) = 0;
    // True when Windows File Protection guards the file and may put the
    // original back after the restart.
    virtual bool IsProtectedFile(const char* path) = 0;

    // Zero only for byte-identical texts: no case folding, no normalisation.
    static int CompareExact(const char* a, const char* b) { return std::strcmp(a, b); }
};

class FileSystemRun {
public:
    explicit FileSystemRun(FileSystemOps& files) : m_files(files) { m_files.BeginRun(); }
    ~FileSystemRun() { m_files.EndRun(); }
    FileSystemRun(const FileSystemRun&) = delete;
    FileSystemRun& operator=(const FileSystemRun&) = delete;

private:
    FileSystemOps& m_files;
};
