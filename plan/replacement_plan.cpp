#include "plan/replacement_plan.h"

#include "framework/path_text.h"

namespace {
// The file of the source's name in the target folder. The folder is taken
// verbatim; the separator test reads characters, because a folder such as
// C:\表 ends in the byte 0x5C without ending in a backslash.
CString TargetFor(const CString& source, const CString& folder, const CodePage& codePage)
{
    const PathParts parts = PathParts::Split(source, codePage);
    CString target = folder;
    if (!EndsWithBackslash(target, codePage))
        target += '\\';
    return target + parts.fileName + parts.extension;
}

// A path longer than a list cell holds counts as one whose status cannot be
// read: it could not be shown whole, and the ANSI file services stop at the
// same 259 bytes.
bool StatusOf(const CString& path, FileSystemOps& files, unsigned* mode)
{
    return path.GetLength() <= kCellTextLimit && files.GetStatus(path, mode);
}

bool IsRegularFile(unsigned mode)
{
    return (mode & FileSystemOps::kModeRegular) != 0;
}

// The refusal of a second entry for target, naming the source the first one
// replaces it with; nothing when target is in no entry yet.
std::optional<Message> AlreadyPlanned(const CString& target, const CStringArray& sources,
                       const CStringArray& targets)
{
    for (int i = 0; i < targets.GetSize(); ++i) {
        if (FileSystemOps::CompareExact(targets[i], target) == 0)
            return Message{TextId::kAlreadyPlanned, {target, sources[i]}};
    }
    return std::nullopt;
}

// Why the pair in the fields may not enter the plan, or nothing when it may;
// target receives the path built for it.
std::optional<Message> RefusalOf(const PlanFields& fields, const CStringArray& sources,
                  const CStringArray& targets, FileSystemOps& files, const CodePage& codePage,
                  CString& target)
{
    if (fields.source.IsEmpty())
        return Message{TextId::kNoSource, {}};
    if (fields.targetFolder.IsEmpty())
        return Message{TextId::kNoTargetFolder, {}};
    target = TargetFor(fields.source, fields.targetFolder, codePage);
    unsigned mode = 0;
    if (!StatusOf(fields.source, files, &mode))
        return Message{TextId::kSourceUnreadable, {fields.source}};
    if (!IsRegularFile(mode))
        return Message{TextId::kNotAFile, {fields.source}};
    if (!StatusOf(target, files, &mode))
        return Message{TextId::kTargetUnreadable, {target}};
    if (!IsRegularFile(mode))
        return Message{TextId::kNotAFile, {target}};
    if (FileSystemOps::CompareExact(fields.source, target) == 0)
        return Message{TextId::kSameFile, {}};
    return AlreadyPlanned(target, sources, targets);
}

// Why the backup may not be put back in place of the file, or nothing when it
// may.
std::optional<Message> RestoreRefusalOf(const RestoreRequest& request, const CStringArray& sources,
                         const CStringArray& targets, FileSystemOps& files)
{
    unsigned mode = 0;
    if (!StatusOf(request.target, files, &mode) || !IsRegularFile(mode))
        return Message{TextId::kNotAFile, {request.target}};
    if (request.backup.IsEmpty())
        return Message{TextId::kTargetUnreadable, {request.target}};
    if (request.backupIsTarget)
        return Message{TextId::kSameFile, {}};
    if (!StatusOf(request.backup, files, &mode))
        return Message{TextId::kNoBackup, {request.target, request.backup}};
    if (!IsRegularFile(mode))
        return Message{TextId::kNotAFile, {request.backup}};
    return AlreadyPlanned(request.target, sources, targets);
}
}  // namespace

AddDecision DecideAdd(const PlanFields& fields, const CStringArray& sources,
                      const CStringArray& targets, FileSystemOps& files, const CodePage& codePage)
{
    CString target;
    std::optional<Message> refusal = RefusalOf(fields, sources, targets, files, codePage, target);
    if (refusal)
        return AddDecision{std::move(refusal), CString(), CString()};
    return AddDecision{std::nullopt, fields.source, target};
}

AddDecision DecideRestore(const RestoreRequest& request, const CStringArray& sources,
                          const CStringArray& targets, FileSystemOps& files)
{
    std::optional<Message> refusal = RestoreRefusalOf(request, sources, targets, files);
    if (refusal)
        return AddDecision{std::move(refusal), CString(), CString()};
    return AddDecision{std::nullopt, request.backup, request.target};
}

bool CanCopyBackupBack(const char* target, const char* backup, FileSystemOps& files)
{
    unsigned mode = 0;
    return *backup != '\0' && !files.GetStatus(target, &mode) && files.GetStatus(backup, &mode) &&
           IsRegularFile(mode);
}

// The folder is the target's drive and directory without the backslash put
// before the file name, except where the folder is a bare root.
PlanFields DecideRemove(const CString& source, const CString& target, const CodePage& codePage)
{
    const PathParts parts = PathParts::Split(target, codePage);
    CString directory = parts.directory;
    if (directory.GetLength() >= 2 && EndsWithBackslash(directory, codePage))
        directory = directory.Left(directory.GetLength() - 1);
    return PlanFields{source, parts.drive + directory};
}
