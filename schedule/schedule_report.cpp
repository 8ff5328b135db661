#include "schedule/schedule_report.h"

#include "texts/texts.h"

void ScheduleReport::AddBlock(const char* source, const char* target, const CString& outcome)
{
    m_text += FormatText(TextId::kReportHeader, source, target);
    m_text += outcome;
    m_text += "\n";
}

namespace outcome {
CString Scheduled()
{
    return Text(TextId::kScheduled);
}

CString CopyFailed(const char* source, const char* staged)
{
    return FormatText(TextId::kCopyFailed, source, staged, staged);
}

CString BackupNotRecorded(const char* target)
{
    return FormatText(TextId::kBackupNotRecorded, target);
}

CString ReplaceNotRecorded(const char* staged)
{
    return FormatText(TextId::kReplaceNotRecorded, staged);
}

CString ReplaceNotRecordedTargetLeftAtBackup(const char* staged, const char* backup,
                                             const char* target)
{
    return ReplaceNotRecorded(staged) +
           FormatText(TextId::kPutBackAfterRestart, backup, target);
}

CString TargetNotFound(const char* target)
{
    return FormatText(TextId::kTargetNotFound, target);
}

CString AlreadyQueued(const char* name)
{
    return FormatText(TextId::kAlreadyQueued, name);
}

CString BackupUnusable(const char* backup)
{
    return FormatText(TextId::kBackupUnusable, backup);
}

CString QueueUnreadable()
{
    return Text(TextId::kQueueUnreadable);
}

CString NameTooLong(const char* name)
{
    return FormatText(TextId::kNameTooLong, name);
}

CString LongFileName(const char* target, const char* shortTarget)
{
    return FormatText(TextId::kLongFileName, target, shortTarget, shortTarget);
}

CString OnNetwork(const char* target)
{
    return FormatText(TextId::kOnNetwork, target);
}

CString DriveUnknown(const char* target, const char* drive)
{
    return FormatText(TextId::kDriveUnknown, target, drive);
}

CString RenameDenied(const char* name)
{
    return FormatText(TextId::kRenameDenied, name, name, name);
}

CString MayBeRestored(const char* target)
{
    return FormatText(TextId::kMayBeRestored, target);
}
}  // namespace outcome
