// CTesseraDlg: the main dialog of the tool. It owns the replacement plan, the
// two path fields, the list, the tooltips and the icon, and routes every
// button to the code that does the work.
#pragma once

#include "framework/controls.h"
#include "framework/cstringarray.h"
#include "framework/dialog.h"
#include "plan/replacement_plan.h"
#include "schedule/commit_flow.h"
#include "ui/drop_edit.h"

class CTesseraDlg : public CDialog, public PlanDialog, public CommitSteps {
public:
    explicit CTesseraDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL PreTranslateMessage(MSG* message) override;

    // The plan's rules (add, remove) and the commit flow reach the dialog here.
    using CDialog::UpdateData;
    void UpdateData(bool saveAndValidate) override { CDialog::UpdateData(saveAndValidate); }
    bool GetFileVersionText(const char* path, CString& text) override;
    int GetRowCount() override;
    int InsertRow(int index, const char* sourceCell) override;
    void SetCellText(int row, int column, const char* text) override;
    int GetSelectedRow() override;
    void DeleteRow(int row) override;
    void SelectRow(int row) override;

    void ScheduleReplacements();
    void ScheduleReplaceNt() override;
    void ScheduleReplace9x() override;
    int AskRestart(unsigned style) override;
    void CloseWithOk() override;

    CListCtrl m_list;
    CString m_strSource;
    CString m_strTargetFolder;
    CString m_strOsLabel;
    CDropEdit m_editSource;
    CDropEdit m_editTarget;
    CStringArray m_sources;
    CStringArray m_targets;
    CToolTipCtrl m_toolTip;
    HICON m_hIcon;

protected:
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    BOOL OnSysCommand(UINT id, LPARAM lParam);
    BOOL OnPaint();
    HICON OnQueryDragIcon() { return m_hIcon; }
    BOOL OnHelpInfo(HELPINFO* info);
    void OnAbout();
    void OnBrowseTarget();
    void OnBrowseSource();
    void OnAdd();
    void OnRemove();
    void OnHelpButton();

private:
    void AddTools();
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM data, LPARAM preselection);
};
