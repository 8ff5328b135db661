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

bool PathAtRestart(const CString& path, FileSystemOps& files, const CodePage& codePage,
                   CString& atRestart)
{
    atRestart = path;
    // A letter may stand for a folder on another such letter; no more letters
    // than there are can lead on.
    for (int letters = 0; letters < 26; ++letters) {
        const PathSteps steps = PathSteps::Split(atRestart, codePage);
        if (!steps.Readable())
            return false;
        const CString drive = steps.Drive();
        CString device;
        if (drive.IsEmpty() || !files.DriveTarget(drive, device))
            return true;
        const PathPrefix prefix = PathPrefix::Read(static_cast<const char*>(device));
        if (prefix.kind != PathPrefix::kObjects)
            return true;
        const PathSteps base =
            PathSteps::Split((prefix.unc ? "\\\\" : "") + device.Mid(prefix.length), codePage);
        if (!base.Readable() || (!base.share && base.Drive().IsEmpty()))
            return false;  // a volume or a device by another name
        atRestart = base.Leading(base.names.size());
        for (size_t i = 0; i < steps.names.size(); ++i) {
            if (i > 0 || !base.names.empty())
                atRestart += '\\';
            atRestart += steps.names[i];
        }
    }
    return false;
}

bool FamilyReplacementNames(OsKind family, const char* target, FileSystemOps& files,
                            const CodePage& codePage, ReplacementNames& names)
{
    if (family == OS_NT) {
        CString atRestart;
        if (!PathAtRestart(files.LongForm(target), files, codePage, atRestart))
            return false;
        names = NtReplacementNames(atRestart);
        return true;
    }
    CString shortTarget;
    if (family != OS_9X || !files.GetShortPath(target, shortTarget) ||
        !PathSteps::Split(shortTarget, codePage).Readable())
        return false;
    names = NineXReplacementNames(shortTarget, codePage);
    return true;
}

KeptBackup BackupKeptFor(OsKind family, const char* target, FileSystemOps& files,
                         const CodePage& codePage)
{
    const FileSystemRun run(files);
    ReplacementNames names;
    if (!FamilyReplacementNames(family, target, files, codePage, names))
        return KeptBackup();
    return KeptBackup{names.backup,
                      IsSameFile(files.IdentityOf(names.backup), files.IdentityOf(names.target))};
}
