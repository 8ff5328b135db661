// What happens when the user presses "置換して終了": confirm, schedule on the
// platform's family, offer the restart, close.
#pragma once

#include "platform/message_boxes.h"

// The two schedulers as the main dialog runs them over its plan.
class FamilySchedulers {
public:
    virtual ~FamilySchedulers() = default;
    virtual void ScheduleReplaceNt() = 0;
    virtual void ScheduleReplace9x() = 0;
};

// The scheduler of osKind (OS_NT, OS_9X); nothing at all for any other value.
void ScheduleReplacements(int osKind, FamilySchedulers& schedulers);

// The steps of the commit flow that belong to the main dialog and the
// application object.
class CommitSteps {
public:
    virtual ~CommitSteps() = default;
    // The main dialog's ScheduleReplacements: the scheduler of the platform.
    virtual void ScheduleReplacements() = 0;
    virtual int AskRestart(unsigned style) = 0;
    // The framework's CDialog::OnOK: exchange, then end the dialog with IDOK.
    virtual void CloseWithOk() = 0;
};

// OnOK's body for a plan of entryCount entries: an empty plan closes at once;
// otherwise the confirmation, where No leaves everything as it was, then the
// scheduler, the restart prompt (No as the default button) and the close,
// whatever the scheduler and the restart step answered.
void RunCommitFlow(int entryCount, MessageBoxes& boxes, CommitSteps& steps);
