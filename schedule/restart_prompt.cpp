#include "schedule/restart_prompt.h"

#include "texts/texts.h"

int AskRestart(unsigned style, OsKind osKind, MessageBoxes& boxes, RestartServices& restart)
{
    const int answer = boxes.Show(Text(TextId::kRestartPrompt), style);
    if (answer != box::kAnswerYes)
        return answer;
    // Only the NT family guards the restart with a privilege.
    if (osKind == OS_NT && !restart.EnableShutdownPrivilege()) {
        boxes.Show(Text(TextId::kRestartNoPrivilege), box::kOk);
        return answer;
    }
    if (!restart.RequestRestart())
        boxes.Show(Text(TextId::kRestartFailed), box::kOk);
    return answer;
}
