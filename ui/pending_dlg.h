// CPendingDlg: the operations already queued for the next restart, one row
// each, with the two renames of a Tessera replacement gathered into one row;
// only such a row can be cancelled here.
#pragma once

#include "schedule/pending_replacements.h"
#include "ui/list_action_dlg.h"

class CPendingDlg : public CListActionDlg {
public:
    // osKind (OS_NT, OS_9X) says where the queue is kept.
    CPendingDlg(const PendingServices& services, OsKind osKind, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // The cancel button acts on a Tessera row.
    bool CanAct(int selected) const override;
    void OnAction(int selected) override;

private:
    // Kind and state wide enough for their texts at the screen's DPI; the
    // paths share the rest of the list's width.
    void InsertColumns();
    // Reads the queue again and lists it, with no row selected.
    void ShowQueue();

    PendingServices m_services;
    OsKind m_osKind;
    PendingList m_pending;  // what the list shows, as it was read
};
