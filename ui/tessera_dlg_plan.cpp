// The dialog's side of the plan and of the commit: thin adapters from the
// dialog's members and controls to the rules that live in plan/ and schedule/.
#include "app/tessera_app.h"
#include "plan/version_text.h"
#include "schedule/schedulers.h"
#include "ui/tessera_dlg.h"

void CTesseraDlg::OnAdd()
{
    PlanState plan{m_strSource, m_strTargetFolder, m_sources, m_targets};
    const AppServices& services = TesseraApp().Services();
    AddToPlan(plan, *this, services.files, services.boxes);
}

void CTesseraDlg::OnRemove()
{
    PlanState plan{m_strSource, m_strTargetFolder, m_sources, m_targets};
    RemoveFromPlan(plan, *this, TesseraApp().Services().files);
}

bool CTesseraDlg::GetFileVersionText(const char* path, CString& text)
{
    const AppServices& services = TesseraApp().Services();
    return ::GetFileVersionText(path, text, services.versions, services.boxes);
}

int CTesseraDlg::GetRowCount()
{
    return m_list.GetItemCount();
}

int CTesseraDlg::InsertRow(int index, const char* sourceCell)
{
    return m_list.InsertItem(index, sourceCell);
}

void CTesseraDlg::SetCellText(int row, int column, const char* text)
{
    m_list.SetItemText(row, column, text);
}

int CTesseraDlg::GetSelectedRow()
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CTesseraDlg::DeleteRow(int row)
{
    m_list.DeleteItem(row);
}

void CTesseraDlg::SelectRow(int row)
{
    const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
    m_list.SetItemState(row, states, states);
}

void CTesseraDlg::OnOK()
{
    RunCommitFlow(m_sources.GetSize(), TesseraApp().m_nOsKind, TesseraApp().Services().boxes,
                  *this);
}

void CTesseraDlg::ScheduleReplacements()
{
    ::ScheduleReplacements(TesseraApp().m_nOsKind, *this);
}

void CTesseraDlg::ScheduleReplaceNt()
{
    const AppServices& services = TesseraApp().Services();
    ::ScheduleReplaceNt(m_sources, m_targets, services.files, services.boxes);
}

void CTesseraDlg::ScheduleReplace9x()
{
    const AppServices& services = TesseraApp().Services();
    ::ScheduleReplace9x(m_sources, m_targets, services.files, services.boxes);
}

int CTesseraDlg::AskRestart(unsigned style)
{
    return TesseraApp().AskRestart(style);
}

void CTesseraDlg::CloseWithOk()
{
    CDialog::OnOK();
}
