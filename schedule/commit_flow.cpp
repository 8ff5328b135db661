#include "schedule/commit_flow.h"

#include "platform/os_kind.h"

namespace {
const char kConfirmation[] = "本当に置換を行ってもよろしいですか?";
const unsigned kConfirmationStyle = box::kYesNo | box::kIconQuestion;  // Yes is the default
const unsigned kRestartStyle = box::kYesNo | box::kIconQuestion | box::kDefaultButton2;
}  // namespace

void ScheduleReplacements(int osKind, CommitSteps& steps)
{
    if (osKind == OS_NT)
        steps.ScheduleReplaceNt();
    else if (osKind == OS_9X)
        steps.ScheduleReplace9x();
}

void RunCommitFlow(int entryCount, int osKind, MessageBoxes& boxes, CommitSteps& steps)
{
    if (entryCount > 0) {
        if (boxes.Show(kConfirmation, kConfirmationStyle) == box::kAnswerNo)
            return;
        ScheduleReplacements(osKind, steps);
        steps.AskRestart(kRestartStyle);
    }
    steps.CloseWithOk();
}
