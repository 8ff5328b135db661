// CPendingDlg: the operations already queued for the next restart, one row
// each, with the two renames of a Tessera replacement gathered into one row;
// only such a row can be cancelled here.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "schedule/pending_replacements.h"

class CPendingDlg : public CDialog {
public:
    // osKind (OS_NT, OS_9X) says where the queue is kept.
    CPendingDlg(const PendingServices& services, OsKind osKind, CWnd* parent = nullptr);

    CListCtrl m_list;
    CString m_strStatus;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Kind and state wide enough for their texts at the screen's DPI; the
    // paths share the rest of the list's width.
    void InsertColumns();
    void OnCancelReplacement();
    // Reads the queue again and lists it, with no row selected.
    void ShowQueue();
    // The cancel button is enabled only while a Tessera row is selected.
    void UpdateCancelButton();

    PendingServices m_services;
    OsKind m_osKind;
    PendingList m_pending;  // what the list shows, as it was read
};
