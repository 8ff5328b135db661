// The file services that the plan rules and the schedulers rely on. Paths are
// narrow strings in the system's ANSI code page.
#pragma once

#include "framework/cstring.h"

#include <cstring>
#include <string>

// What the file system makes of a path, for telling whether two paths name
// one file: the deepest folder on the way that it identifies (whatever road
// reached it), and the rest of the path as it takes it, each existing
// component by its long name, in one letter case. The keys are opaque bytes.
struct FileIdentity {
    std::string folder;
    // The rest of the path, case folded two ways; where the two disagree, the
    // names count as one: a refusal loses nothing, a missed meeting loses bytes.
    std::string names[2];
    // An existing folder's own key, the same on every road to it where the
    // folder can be opened; empty for anything but an existing folder.
    std::string self;
    // The path ends in a link to elsewhere (a symbolic link, a junction, a
    // mount point): what moves the folders above where it leads is not on
    // this way.
    bool link = false;
    // Something of this name is there now.
    bool exists = false;
    // The path could not be read into a root and names (PathSteps): it may
    // name any file, and meets every name.
    bool unknown = false;
};

// True when the file system takes a and b to one name in one folder, or to
// one folder; or when either is unknown.
inline bool IsSameFile(const FileIdentity& a, const FileIdentity& b)
{
    return a.unknown || b.unknown || (!a.self.empty() && a.self == b.self) ||
           (a.folder == b.folder && (a.names[0] == b.names[0] || a.names[1] == b.names[1]));
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
    // keep a file's long name.
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
