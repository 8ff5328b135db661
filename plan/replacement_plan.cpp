#include "plan/replacement_plan.h"

namespace {
const char kNoSource[] = "置換元のファイルを指定してください．";
const char kNoTargetFolder[] = "置換先のフォルダを指定してください．";
const char kSourceUnreadable[] = "置換元ファイル(%s)の情報が得られません．";
const char kNotAFile[] = "\"%s\"はファイルではないようです。";
const char kTargetUnreadable[] =
    "置換先ファイル(%s)の情報が得られません．ファイルが存在するか確かめてください。";
const char kSameFile[] = "同じファイルで置き換えても無駄です．";
const char kAlreadyPlanned[] = "置換先%sはすでに%sで置きかえられることになっています．";

CString Formatted(const char* format, const char* first, const char* second = "")
{
    CString text;
    text.Format(format, first, second);
    return text;
}

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

// Why the pair in the fields may not enter the plan, or empty when it may;
// target receives the path built for it.
CString RefusalOf(const PlanState& plan, FileSystemOps& files, const CodePage& codePage,
                  CString& target)
{
    if (plan.source.IsEmpty())
        return kNoSource;
    if (plan.targetFolder.IsEmpty())
        return kNoTargetFolder;
    target = TargetFor(plan.source, plan.targetFolder, codePage);
    unsigned mode = 0;
    if (!StatusOf(plan.source, files, &mode))
        return Formatted(kSourceUnreadable, plan.source);
    if (!IsRegularFile(mode))
        return Formatted(kNotAFile, plan.source);
    if (!StatusOf(target, files, &mode))
        return Formatted(kTargetUnreadable, target);
    if (!IsRegularFile(mode))
        return Formatted(kNotAFile, target);
    if (FileSystemOps::CompareExact(plan.source, target) == 0)
        return kSameFile;
    for (int i = 0; i < plan.targets.GetSize(); ++i) {
        if (FileSystemOps::CompareExact(plan.targets[i], target) == 0)
            return Formatted(kAlreadyPlanned, target, plan.sources[i]);
    }
    return CString();
}

// The folder the add built a target from: drive and directory without the
// backslash put before the file name, except where the folder is a bare root.
CString FolderOf(const CString& target, const CodePage& codePage)
{
    const PathParts parts = PathParts::Split(target, codePage);
    CString directory = parts.directory;
    if (directory.GetLength() >= 2 && EndsWithBackslash(directory, codePage))
        directory = directory.Left(directory.GetLength() - 1);
    return parts.drive + directory;
}
}  // namespace

void AddToPlan(PlanState& plan, PlanDialog& dialog, FileSystemOps& files, const CodePage& codePage,
               MessageBoxes& boxes)
{
    dialog.UpdateData(true);
    CString target;
    const CString refusal = RefusalOf(plan, files, codePage, target);
    if (!refusal.IsEmpty()) {
        boxes.Show(refusal, box::kOk);
        return;
    }
    const CString source = plan.source;
    plan.sources.Add(source);
    const int entry = plan.targets.Add(target);

    CString sourceVersion;
    CString targetVersion;
    dialog.GetFileVersionText(source, sourceVersion);
    dialog.GetFileVersionText(target, targetVersion);

    const int row = dialog.InsertRow(dialog.GetRowCount(), source);
    if (row < 0) {
        // Without its row the entry could never be seen or removed, and every
        // later row would stand beside the wrong entry: take it back out.
        plan.sources.RemoveAt(entry);
        plan.targets.RemoveAt(entry);
        return;
    }
    dialog.SetCellText(row, 1, sourceVersion);
    dialog.SetCellText(row, 2, target);
    dialog.SetCellText(row, 3, targetVersion);
}

void RemoveFromPlan(PlanState& plan, PlanDialog& dialog, const CodePage& codePage)
{
    dialog.UpdateData(true);
    const int row = dialog.GetSelectedRow();
    if (row < 0) {
        dialog.UpdateData(false);
        return;
    }
    dialog.DeleteRow(row);
    if (row < dialog.GetRowCount())
        dialog.SelectRow(row);
    plan.source = plan.sources[row];
    plan.targetFolder = FolderOf(plan.targets[row], codePage);
    plan.sources.RemoveAt(row);
    plan.targets.RemoveAt(row);
    dialog.UpdateData(false);
}
