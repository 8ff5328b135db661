// CJournalDlg: the history of Tessera's replacements, newest first, each with
// what became of it judged afresh as the dialog opens. For the selected row
// the dialog hands the target back, for the main dialog to put its backup
// back through the restore rule.
#pragma once

#include "schedule/journal_review.h"
#include "ui/list_action_dlg.h"

class CJournalDlg : public CListActionDlg {
public:
    // DoModal's result when the restore was chosen; RestoreTarget() then names
    // the file to put back.
    static const int kRestoreChosen = 100;

    // family (OS_NT, OS_9X) says where the renames that still wait are kept.
    CJournalDlg(const JournalServices& services, OsKind family, CWnd* parent = nullptr);

    const CString& RestoreTarget() const { return m_restoreTarget; }
    // The backup the journal names for it.
    const CString& RestoreBackup() const { return m_restoreBackup; }

protected:
    BOOL OnInitDialog() override;
    // The restore button acts on any row.
    bool CanAct(int selected) const override;
    void OnAction(int selected) override;

private:
    // When and outcome wide enough for their texts at the screen's DPI; the
    // target takes the rest of the list's width.
    void InsertColumns();

    JournalServices m_services;
    OsKind m_family;
    History m_history;
    CString m_restoreTarget;
    CString m_restoreBackup;
};
