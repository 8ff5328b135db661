#include "schedule/replacement_names.h"

#include "framework/path_text.h"

#include <cstring>

namespace {
CString NineXBase(const char* shortTarget, const CodePage& codePage)
{
    const PathParts parts = PathParts::Split(shortTarget, codePage);
    const int nameStart = parts.drive.GetLength() + parts.directory.GetLength();
    const int cut = static_cast<int>(std::strlen(shortTarget)) - 4;
    if (cut > nameStart && IsCharacterBoundary(shortTarget, cut, codePage))
        return CString(shortTarget, cut);
    return CString(shortTarget, nameStart + parts.fileName.GetLength());
}
}  // namespace

ReplacementNames NtReplacementNames(const char* target)
{
    ReplacementNames names;
    names.target = target;
    names.staged.Format("%s.new", target);
    names.backup.Format("%s.old", target);
    return names;
}

ReplacementNames NineXReplacementNames(const char* shortTarget, const CodePage& codePage)
{
    const CString base = NineXBase(shortTarget, codePage);
    ReplacementNames names;
    names.target = shortTarget;
    names.staged = base + ".NEW";
    names.backup = base + ".OLD";
    return names;
}

bool FamilyReplacementNames(OsKind family, const char* target, FileSystemOps& files,
                            const CodePage& codePage, ReplacementNames& names)
{
    if (family == OS_NT) {
        names = NtReplacementNames(files.LongForm(target));
        return true;
    }
    CString shortTarget;
    if (family != OS_9X || !files.GetShortPath(target, shortTarget))
        return false;
    names = NineXReplacementNames(shortTarget, codePage);
    return true;
}

KeptBackup BackupKeptFor(OsKind family, const char* target, FileSystemOps& files,
                         const CodePage& codePage)
{
    ReplacementNames names;
    if (!FamilyReplacementNames(family, target, files, codePage, names))
        return KeptBackup();
    return KeptBackup{names.backup,
                      IsSameFile(files.IdentityOf(names.backup), files.IdentityOf(names.target))};
}
