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

// The target's name must open the very file the add rule checked: both
// exist and are one by their own keys (or, where no open identifies them, by
// their folder and name). The staged copy and backup lie in its folder.
bool LeadsToCheckedFile(const EntryIdentities& identities, const FileIdentity& checked)
{
    const FileIdentity& target = identities.target;
    const bool same = !target.self.empty() && !checked.self.empty()
                          ? target.self == checked.self
                          : target.exists && checked.exists && IsSameFile(target, checked);
    return same && identities.staged.folder == target.folder &&
           identities.backup.folder == target.folder;
}
}  // namespace

std::optional<Message> RestartObstacle(OsKind family, const char* target,
                                       const ReplacementNames& names,
                                       const EntryIdentities& identities,
                                       const FileIdentity& checked, FileSystemOps& files,
                                       const CodePage& codePage)
{
    const std::pair<const CString*, const FileIdentity*> named[] = {
        {&names.target, &identities.target},
        {&names.staged, &identities.staged},
        {&names.backup, &identities.backup}};
    for (const auto& [name, identity] : named) {
        const int length =
            family == OS_NT ? CharacterCount(*name, codePage) : name->GetLength();
        if (length > kRestartNameLimit)
            return Message{TextId::kNameTooLong, {*name}};
    }
    for (const auto& [name, identity] : named) {
        if (identity->link)
            return Message{TextId::kNameIsLink, {*name}};
    }
    if (identities.target.nameOutsideCodePage)
        return Message{TextId::kNameOutsideCodePage, {names.target}};
    if (!LeadsToCheckedFile(identities, checked))
        return Message{TextId::kNameLeadsElsewhere, {names.target}};
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
        const FileIdentity& backup = identities.backup;
        if (backup.exists && !backup.directory && files.RenameDenied(names.backup))
            return Message{TextId::kRenameDenied, {names.backup}};
    }
    return std::nullopt;
}
