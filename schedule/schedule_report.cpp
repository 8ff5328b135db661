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

CString NameTooLong(const char* name)
{
    CString text;
    text.Format("%sは259バイトを超えるため、再起動時の処理では扱えません．\n"
                "置換は予約されていません．途中のフォルダの名前を短くしてから、もう一度追加してください．\n",
                name);
    return text;
}

CString LongFileName(const char* target, const char* shortTarget)
{
    CString text;
    text.Format("%sは長いファイル名のため、9x系の起動処理では置き換えられません(短い名前%sしか扱えません)．\n"
                "置換は予約されていません．MS-DOSモードで起動し、%sに上書きコピーしてください．\n",
                target, shortTarget, shortTarget);
    return text;
}

CString OnNetwork(const char* target)
{
    CString text;
    text.Format("%sはネットワーク上にあるため、再起動時の処理からは見えません．\n"
                "置換は予約されていません．そのファイルのあるコンピュータでTesseraを実行してください．\n",
                target);
    return text;
}

CString DriveUnknown(const char* target, const char* drive)
{
    CString text;
    text.Format("%sのドライブ%sが指す場所を確かめられないため、再起動時に見つかるか分かりません．\n"
                "置換は予約されていません．ドライブの指す実際のフォルダで指定し直してください．\n",
                target, drive);
    return text;
}

CString RenameDenied(const char* name)
{
    CString text;
    text.Format("%sは管理者にもシステムにも削除の権限がないため、再起動時に名前を変えられません．\n"
                "置換は予約されていません．所有者を変えて管理者にフル コントロールを与えてから"
                "(takeown /f \"%s\" /a と icacls \"%s\" /grant *S-1-5-32-544:F)、もう一度追加してください．\n",
                name, name, name);
    return text;
}

CString MayBeRestored(const char* target)
{
    CString text;
    text.Format("%sはWindowsファイル保護の対象のため、再起動後にWindowsが元のファイルに戻すことがあります．"
                "再起動後にファイルのバージョンを確かめてください．\n",
                target);
    return text;
}
}  // namespace outcome
