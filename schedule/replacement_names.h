// The names a scheduler derives for one entry: the target as the renames and
// the report name it, the staged copy beside it and the backup.
#pragma once

#include "framework/cstring.h"
#include "framework/code_page.h"
#include "platform/file_system_ops.h"
#include "platform/os_kind.h"

struct ReplacementNames {
    CString target;
    CString staged;
    CString backup;
};

// The identities of one entry's names: what tells two spellings of one file
// apart from two files.
struct EntryIdentities {
    FileIdentity target;
    FileIdentity staged;
    FileIdentity backup;

    EntryIdentities(const ReplacementNames& entry, FileSystemOps& files)
        : target(files.IdentityOf(entry.target)), staged(files.IdentityOf(entry.staged)),
          backup(files.IdentityOf(entry.backup))
    {
    }
};

// NT family: the target as the plan holds it, with ".new" and ".old" appended
// to the whole name.
ReplacementNames NtReplacementNames(const char* target);

// 9x family: from the short (8.3) target, its base followed by ".NEW" and
// ".OLD". The base drops the last four bytes (the dot and a three-letter
// extension), unless that cut would leave no byte of the file name or half a
// double-byte character; then the base is the short target without its
// extension, so that both names stay in the target's folder.
ReplacementNames NineXReplacementNames(const char* shortTarget, const CodePage& codePage);

// NT: a drive letter that subst made exists only in the session that made
// it. atRestart is path through the folder the letter stands for, as the
// restart finds it, or path itself for any other drive; false when the letter
// stands for something else than a folder's path (a volume, a device).
bool PathAtRestart(const CString& path, FileSystemOps& files, const CodePage& codePage,
                   CString& atRestart);

// The names the scheduler of family uses for target: on NT built from its long
// form (a rename recorded under a short alias would give the new file the
// alias as its name) through the folder its drive stands for (PathAtRestart),
// on 9x from its short form. False when a 9x target has no short form, or an
// NT target's drive stands for something the restart may not find.
bool FamilyReplacementNames(OsKind family, const char* target, FileSystemOps& files,
                            const CodePage& codePage, ReplacementNames& names);

// The backup that the scheduler of family keeps when it replaces target, named
// as that scheduler names it: on 9x from the target's short form.
struct KeptBackup {
    CString path;  // empty when the scheduler names none (9x: no short form)
    // The name is the target's own (9x: a short name ending in .OLD), so
    // there is no other file to put back.
    bool isTarget = false;
};
KeptBackup BackupKeptFor(OsKind family, const char* target, FileSystemOps& files,
                         const CodePage& codePage);
