#include "schedule/restart_needs.h"

#include "framework/path_text.h"

namespace {
// A share, or a drive that Windows calls a network drive: the restart runs
// before the network.
bool OnNetwork(const char* path, FileSystemOps& files, const CodePage& codePage)
{
    const PathSteps steps = PathSteps::Split(path, codePage);
    const CString drive = steps.Drive();
    return steps.share || (!drive.IsEmpty() && files.IsNetworkDrive(drive + "\\"));
}

CString FileNameOf(const char* path, const CodePage& codePage)
{
    const PathSteps steps = PathSteps::Split(path, codePage);
    return steps.names.empty() ? CString() : steps.names.back();
}
}  // namespace

std::optional<Message> RestartObstacle(OsKind family, const char* target, const ReplacementNames& names,
                                       const FileIdentity& backup, FileSystemOps& files,
                                       const CodePage& codePage)
{
    for (const CString* name : {&names.target, &names.staged, &names.backup}) {
        if (name->GetLength() > kRestartNameLimit)
            return Message{TextId::kNameTooLong, {*name}};
    }
    // The 9x start-up renames by the short name, and the new file would keep
    // only that name.
    if (family == OS_9X) {
        const CString longName = files.LongForm(names.target);
        if (FoldAscii(std::string(FileNameOf(longName, codePage)), &codePage) !=
            FoldAscii(std::string(FileNameOf(names.target, codePage)), &codePage))
            return Message{TextId::kLongFileName, {longName, names.target}};
    }
    // The target as entered may be relative or spelled with '/', which cannot
    // be read; its names, which the schedulers read whole, are checked too.
    for (const char* path : {target, static_cast<const char*>(names.target)}) {
        if (OnNetwork(path, files, codePage))
            return Message{TextId::kOnNetwork, {path}};
    }
    if (family == OS_NT) {
        if (files.RenameDenied(names.target))
            return Message{TextId::kRenameDenied, {names.target}};
        // The backup rename replaces a file of the backup's name.
        if (backup.exists && backup.self.empty() && files.RenameDenied(names.backup))
            return Message{TextId::kRenameDenied, {names.backup}};
    }
    return std::nullopt;
}
