#include "schedule/commit_flow.h"

#include "platform/os_kind.h"

namespace {
const char kConfirmation[] = "本当に置換を行ってもよろしいですか?";
const unsigned kConfirmationStyle = box::kYesNo | box::kIconQuestion;  // Yes is the default
const unsigned kRestartStyle = box::kYesNo | box::kIconQuestion | box::kDefaultButton2;
}  // namespace

void ScheduleReplacements(int osKind, FamilySchedulers& schedulers)
{
    if (osKind == OS_NT)
        schedulers.ScheduleReplaceNt();
    else if (osKind == OS_9X)
        schedulers.ScheduleReplace9x();
}

void RunCommitFlow(int entryCount, MessageBoxes& boxes, CommitSteps& steps)
{
    if (entryCount > 0) {
        if (boxes.Show(kConfirmation, kConfirmationStyle) == box::kAnswerNo)
            return;
        steps.ScheduleReplacements();
        steps.AskRestart(kRestartStyle);
    }
    steps.CloseWithOk();
}
