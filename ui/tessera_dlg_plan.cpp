// The add and remove buttons and the restore command: the plan's rules decide,
// the dialog shows their messages and keeps the entries, the rows and the
// fields in step.
#include "app/tessera_app.h"
#include "plan/replacement_plan.h"
#include "plan/version_text.h"
#include "schedule/replacement_names.h"
#include "texts/texts.h"
#include "ui/tessera_dlg.h"

void CTesseraDlg::OnAdd()
{
    UpdateData(TRUE);
    AddEntry(DecideAdd(PlanFields{m_strSource, m_strTargetFolder}, m_sources, m_targets,
                       m_services.files, m_services.codePage));
}

// The file chosen is the one in use now; its backup, named as this family's
// scheduler names it, becomes the entry's source, so that the restart swaps
// the two. The fields are only read: the file dialog starts in the folder that
// the target field names.
void CTesseraDlg::OnRestore()
{
    UpdateData(TRUE);
    CString target;
    if (!BrowseForFile(Text(TextId::kChooseRestoreTitle), m_strTargetFolder, target))
        return;
    RestoreFile(target);
}

void CTesseraDlg::RestoreFile(const CString& target, const CString& journaledBackup)
{
    KeptBackup backup =
        BackupKeptFor(TesseraApp().m_nOsKind, target, m_services.files,
                      m_services.codePage);
    if (backup.path.IsEmpty())
        backup.path = journaledBackup;
    if (CanCopyBackupBack(target, backup.path, m_services.files)) {
        if (m_services.boxes.Show(FormatText(TextId::kCopyBackQuestion, {target, backup.path}),
                                  box::kYesNo | box::kIconQuestion) != box::kAnswerYes)
            return;
        const bool copied = m_services.files.CopyWithoutOverwrite(backup.path, target);
        m_services.boxes.Show(
            FormatText(copied ? TextId::kCopiedBack : TextId::kCopyBackFailed, {target, backup.path}),
            copied ? box::kOk : box::kIconHand);
        return;
    }
    AddEntry(DecideRestore(RestoreRequest{target, backup.path, backup.isTarget}, m_sources,
                           m_targets, m_services.files));
}

void CTesseraDlg::AddEntry(const AddDecision& decision)
{
    if (!decision.Accepted()) {
        m_services.boxes.Show(FormatText(*decision.refusal), box::kOk);
        return;
    }
    m_sources.Add(decision.source);
    const int entry = m_targets.Add(decision.target);

    // A lookup may show its own box; the entry stands in the plan by then.
    CString sourceVersion;
    CString targetVersion;
    GetFileVersionText(decision.source, sourceVersion);
    GetFileVersionText(decision.target, targetVersion);

    const int row = m_list.InsertItem(m_list.GetItemCount(), decision.source);
    if (row < 0) {
        // Without its row the entry could never be seen or removed, and every
        // later row would stand beside the wrong entry: take it back out.
        m_sources.RemoveAt(entry);
        m_targets.RemoveAt(entry);
        return;
    }
    m_list.SetItemText(row, 1, sourceVersion);
    m_list.SetItemText(row, 2, decision.target);
    m_list.SetItemText(row, 3, targetVersion);
}

// Row k shows entry k: the selected row's entry goes back into the fields, and
// the row that followed it takes the selection.
void CTesseraDlg::OnRemove()
{
    UpdateData(TRUE);
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        UpdateData(FALSE);
        return;
    }
    m_list.DeleteItem(row);
    if (row < m_list.GetItemCount()) {
        const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
        m_list.SetItemState(row, states, states);
    }
    const PlanFields fields = DecideRemove(m_sources[row], m_targets[row], m_services.codePage);
    m_strSource = fields.source;
    m_strTargetFolder = fields.targetFolder;
    m_sources.RemoveAt(row);
    m_targets.RemoveAt(row);
    UpdateData(FALSE);
}

bool CTesseraDlg::GetFileVersionText(const char* path, CString& text)
{
    return ::GetFileVersionText(path, text, m_services.versions, m_services.boxes);
}
