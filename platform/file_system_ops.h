// The file services that the plan rules and the schedulers rely on. Paths are
// narrow strings in the system's ANSI code page.
#pragma once

#include "framework/cstring.h"

#include <cstring>

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
    // The name as the file system resolves it, for telling whether two texts
    // name one file: the full path (relative parts, ".", ".." and "/"
    // resolved) with every component that exists in its long spelling and the
    // rest as given. Texts that name one file give names that IsSamePath
    // (framework/path_text.h) finds equal. A path that cannot be resolved
    // comes back as it was given.
    virtual CString CanonicalName(const char* path) = 0;
    // Deletes the file at path now; false when it is not there or could not be
    // deleted (read-only, held open).
    virtual bool RemoveFile(const char* path) = 0;

    // Zero only for byte-identical texts: no case folding, no normalisation.
    static int CompareExact(const char* a, const char* b) { return std::strcmp(a, b); }
};
