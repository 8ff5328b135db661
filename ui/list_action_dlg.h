// CListActionDlg: a dialog around a list with a status line under it and one
// button that acts on the selected row. The button is enabled only while a
// row it can act on is selected, and its press reaches OnAction.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

#include <initializer_list>

struct ListActionTemplate {
    UINT templateId;
    int listId;
    int statusId;
    int actionId;
};

class CListActionDlg : public CDialog {
public:
    CListCtrl m_list;
    CString m_strStatus;

protected:
    CListActionDlg(const ListActionTemplate& layout, CWnd* parent);

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Whether the button may act on row selected (-1: none selected).
    virtual bool CanAct(int selected) const = 0;
    // The press, on a row CanAct accepts; a press that reaches a disabled
    // button (a message sent from outside) does nothing.
    virtual void OnAction(int selected) = 0;
    void UpdateActionButton();
    // A column's width: at least width96 pixels at 96 DPI, scaled, and room for
    // each text in the list's font.
    int ColumnWidth(int width96, std::initializer_list<const char*> texts);
    // The list's width less used and room for a vertical scroll bar, so that a
    // long list needs no horizontal one.
    int WidthLeft(int used);

private:
    ListActionTemplate m_layout;
};
