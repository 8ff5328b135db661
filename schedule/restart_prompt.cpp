#include "schedule/restart_prompt.h"

namespace {
const char kPrompt[] =
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?";
const char kNoPrivilege[] =
    "再起動に必要な特権が得られませんでした．\n自分で再起動を行ってください．";
const char kRestartFailed[] = "再起動に失敗しました．\n自分で再起動を行ってください．";
}  // namespace

int AskRestart(unsigned style, OsKind osKind, MessageBoxes& boxes, RestartServices& restart)
{
    const int answer = boxes.Show(kPrompt, style);
    if (answer != box::kAnswerYes)
        return answer;
    // Only the NT family guards the restart with a privilege.
    if (osKind == OS_NT && !restart.EnableShutdownPrivilege()) {
        boxes.Show(kNoPrivilege, box::kOk);
        return answer;
    }
    if (!restart.RequestRestart())
        boxes.Show(kRestartFailed, box::kOk);
    return answer;
}
