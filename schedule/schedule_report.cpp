#include "schedule/schedule_report.h"

void ScheduleReport::AddBlock(const char* source, const char* target, const CString& outcome)
{
    CString header;
    header.Format("%s\n → %s\n", source, target);
    m_text += header;
    m_text += outcome;
    m_text += "\n";
}

namespace outcome {
CString Scheduled()
{
    return "再起動後に置換されます．\n";
}

CString CopyFailed(const char* source, const char* staged)
{
    CString text;
    text.Format("%sを%sにコピーするのに失敗しました．\n%sがすでにある可能性があります．\n", source,
                staged, staged);
    return text;
}

CString BackupNotRecorded(const char* target)
{
    CString text;
    text.Format("%sを再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n",
                target);
    return text;
}

CString ReplaceNotRecorded(const char* staged)
{
    CString text;
    text.Format("%sを再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n", staged);
    return text;
}

CString ReplaceNotRecordedTargetLeftAtBackup(const char* staged, const char* backup,
                                             const char* target)
{
    CString restore;
    restore.Format("再起動後に%sを%sに戻してください．\n", backup, target);
    return ReplaceNotRecorded(staged) + restore;
}

CString TargetNotFound(const char* target)
{
    CString text;
    text.Format("%sが見つかりませんでした．\n置換は予約されていません．\n", target);
    return text;
}

CString AlreadyQueued(const char* name)
{
    CString text;
    text.Format("%sは再起動時の処理にすでに予約されているため置換は予約されていません．\n", name);
    return text;
}

CString BackupUnusable(const char* backup)
{
    CString text;
    text.Format("%sをバックアップに使えないため置換は予約されていません．\n", backup);
    return text;
}

CString QueueUnreadable()
{
    return "再起動時の処理の予約を読み取れないため置換は予約されていません．\n";
}
}  // namespace outcome
