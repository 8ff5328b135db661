// The dialog's side of the plan and of the commit: thin adapters from the
// dialog's members and controls to the rules that live in plan/ and schedule/.
#include "app/tessera_app.h"
#include "plan/version_text.h"
#include "schedule/schedulers.h"
#include "ui/tessera_dlg.h"

namespace {
SchedulerServices SchedulerServicesOf(const DialogServices& services)
{
    return SchedulerServices{services.files, services.codePage, services.boxes, services.queue,
                             services.wideToAnsi};
}
}  // namespace

void CTesseraDlg::OnAdd()
{
    PlanState plan{m_strSource, m_strTargetFolder, m_sources, m_targets};
    AddToPlan(plan, m_planView, m_services.files, m_services.codePage, m_services.boxes);
}

void CTesseraDlg::OnRemove()
{
    PlanState plan{m_strSource, m_strTargetFolder, m_sources, m_targets};
    RemoveFromPlan(plan, m_planView, m_services.codePage);
}

bool CTesseraDlg::GetFileVersionText(const char* path, CString& text)
{
    return ::GetFileVersionText(path, text, m_services.versions, m_services.boxes);
}

void CTesseraDlg::OnOK()
{
    RunCommitFlow(m_sources.GetSize(), m_services.boxes, m_commitView);
}

void CTesseraDlg::ScheduleReplacements()
{
    ::ScheduleReplacements(TesseraApp().m_nOsKind, m_commitView);
}

void CTesseraDlg::ScheduleReplaceNt()
{
    ::ScheduleReplaceNt(m_sources, m_targets, SchedulerServicesOf(m_services));
}

void CTesseraDlg::ScheduleReplace9x()
{
    ::ScheduleReplace9x(m_sources, m_targets, SchedulerServicesOf(m_services));
}

int CTesseraDlg::CommitView::AskRestart(unsigned style)
{
    return TesseraApp().AskRestart(style);
}

void CTesseraDlg::PlanView::UpdateData(bool saveAndValidate)
{
    m_dialog.UpdateData(saveAndValidate ? TRUE : FALSE);
}

bool CTesseraDlg::PlanView::GetFileVersionText(const char* path, CString& text)
{
    return m_dialog.GetFileVersionText(path, text);
}

int CTesseraDlg::PlanView::GetRowCount()
{
    return m_dialog.m_list.GetItemCount();
}

int CTesseraDlg::PlanView::InsertRow(int index, const char* sourceCell)
{
    return m_dialog.m_list.InsertItem(index, sourceCell);
}

void CTesseraDlg::PlanView::SetCellText(int row, int column, const char* text)
{
    m_dialog.m_list.SetItemText(row, column, text);
}

int CTesseraDlg::PlanView::GetSelectedRow()
{
    return m_dialog.m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CTesseraDlg::PlanView::DeleteRow(int row)
{
    m_dialog.m_list.DeleteItem(row);
}

void CTesseraDlg::PlanView::SelectRow(int row)
{
    const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
    m_dialog.m_list.SetItemState(row, states, states);
}
