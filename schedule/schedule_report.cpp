#include "schedule/schedule_report.h"

#include "texts/texts.h"

#include <cstdarg>

namespace {
CString Formatted(TextId format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    CString text;
    text.FormatV(Text(format), arguments);
    va_end(arguments);
    return text;
}
}  // namespace

void ScheduleReport::AddBlock(const char* source, const char* target, const CString& outcome)
{
    m_text += Formatted(TextId::kReportHeader, source, target);
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
    return Formatted(TextId::kCopyFailed, source, staged, staged);
}

CString BackupNotRecorded(const char* target)
{
    return Formatted(TextId::kBackupNotRecorded, target);
}

CString ReplaceNotRecorded(const char* staged)
{
    return Formatted(TextId::kReplaceNotRecorded, staged);
}

CString ReplaceNotRecordedTargetLeftAtBackup(const char* staged, const char* backup,
                                             const char* target)
{
    return ReplaceNotRecorded(staged) +
           Formatted(TextId::kPutBackAfterRestart, backup, target);
}

CString TargetNotFound(const char* target)
{
    return Formatted(TextId::kTargetNotFound, target);
}

CString AlreadyQueued(const char* name)
{
    return Formatted(TextId::kAlreadyQueued, name);
}

CString BackupUnusable(const char* backup)
{
    return Formatted(TextId::kBackupUnusable, backup);
}

CString QueueUnreadable()
{
    return Text(TextId::kQueueUnreadable);
}

CString NameTooLong(const char* name)
{
    return Formatted(TextId::kNameTooLong, name);
}

CString LongFileName(const char* target, const char* shortTarget)
{
    return Formatted(TextId::kLongFileName, target, shortTarget, shortTarget);
}

CString OnNetwork(const char* target)
{
    return Formatted(TextId::kOnNetwork, target);
}

CString DriveUnknown(const char* target, const char* drive)
{
    return Formatted(TextId::kDriveUnknown, target, drive);
}

CString RenameDenied(const char* name)
{
    return Formatted(TextId::kRenameDenied, name, name, name);
}

CString MayBeRestored(const char* target)
{
    return Formatted(TextId::kMayBeRestored, target);
}
}  // namespace outcome
