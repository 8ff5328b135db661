#include "schedule/schedule_report.h"

#include <cstdarg>

namespace {
CString Formatted(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    CString text;
    text.FormatV(format, arguments);
    va_end(arguments);
    return text;
}
}  // namespace

void ScheduleReport::AddBlock(const char* source, const char* target, const CString& outcome)
{
    m_text += Formatted("%s\n → %s\n", source, target);
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
    return Formatted("%sを%sにコピーするのに失敗しました．\n%sがすでにある可能性があります．\n", source,
                     staged, staged);
}

CString BackupNotRecorded(const char* target)
{
    return Formatted("%sを再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n",
                     target);
}

CString ReplaceNotRecorded(const char* staged)
{
    return Formatted("%sを再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n", staged);
}

CString ReplaceNotRecordedTargetLeftAtBackup(const char* staged, const char* backup,
                                             const char* target)
{
    return ReplaceNotRecorded(staged) +
           Formatted("再起動後に%sを%sに戻してください．\n", backup, target);
}

CString TargetNotFound(const char* target)
{
    return Formatted("%sが見つかりませんでした．\n置換は予約されていません．\n", target);
}

CString AlreadyQueued(const char* name)
{
    return Formatted("%sは再起動時の処理にすでに予約されているため置換は予約されていません．\n", name);
}

CString BackupUnusable(const char* backup)
{
    return Formatted("%sをバックアップに使えないため置換は予約されていません．\n", backup);
}

CString QueueUnreadable()
{
    return "再起動時の処理の予約を読み取れないため置換は予約されていません．\n";
}

CString NameTooLong(const char* name)
{
    return Formatted("%sは259バイトを超えるため、再起動時の処理では扱えません．\n"
                     "置換は予約されていません．途中のフォルダの名前を短くしてから、もう一度追加してください．\n",
                     name);
}

CString LongFileName(const char* target, const char* shortTarget)
{
    return Formatted("%sは長いファイル名のため、9x系の起動処理では置き換えられません(短い名前%sしか扱えません)．\n"
                     "置換は予約されていません．MS-DOSモードで起動し、%sに上書きコピーしてください．\n",
                     target, shortTarget, shortTarget);
}

CString OnNetwork(const char* target)
{
    return Formatted("%sはネットワーク上にあるため、再起動時の処理からは見えません．\n"
                     "置換は予約されていません．そのファイルのあるコンピュータでTesseraを実行してください．\n",
                     target);
}

CString DriveUnknown(const char* target, const char* drive)
{
    return Formatted("%sのドライブ%sが指す場所を確かめられないため、再起動時に見つかるか分かりません．\n"
                     "置換は予約されていません．ドライブの指す実際のフォルダで指定し直してください．\n",
                     target, drive);
}

CString RenameDenied(const char* name)
{
    return Formatted("%sは管理者にもシステムにも削除の権限がないため、再起動時に名前を変えられません．\n"
                     "置換は予約されていません．所有者を変えて管理者にフル コントロールを与えてから"
                     "(takeown /f \"%s\" /a と icacls \"%s\" /grant *S-1-5-32-544:F)、もう一度追加してください．\n",
                     name, name, name);
}

CString MayBeRestored(const char* target)
{
    return Formatted("%sはWindowsファイル保護の対象のため、再起動後にWindowsが元のファイルに戻すことがあります．"
                     "再起動後にファイルのバージョンを確かめてください．\n",
                     target);
}
}  // namespace outcome
