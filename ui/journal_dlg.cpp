#include "ui/journal_dlg.h"

#include "res/resource.h"
#include "texts/texts.h"

namespace {
const TextId kHeadings[] = {TextId::kHistoryColumnWhen, TextId::kHistoryColumnTarget,
                            TextId::kHistoryColumnOutcome};
// The when and outcome columns keep at least these widths, scaled, and grow
// where the list's font needs more for the longest text they can show.
const int kWhenWidth = 110;     // pixels at 96 DPI
const int kOutcomeWidth = 90;   // pixels at 96 DPI
const char kWidestTime[] = "0000-00-00 00:00:00";
}  // namespace

CJournalDlg::CJournalDlg(const JournalServices& services, OsKind family, CWnd* parent)
    : CListActionDlg({IDD_JOURNAL, IDC_JOURNAL_LIST, IDC_JOURNAL_STATUS, IDC_JOURNAL_RESTORE},
                     parent),
      m_services(services),
      m_family(family)
{
}

BOOL CJournalDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumns();
    m_history = ReadHistory(m_family, m_services);
    const std::vector<JournalEntry>& entries = m_history.contents.entries;
    for (size_t i = 0; i < m_history.rows.size(); ++i) {
        const HistoryRow& row = m_history.rows[i];
        const JournalEntry& entry = entries[row.entry];
        const int item = m_list.InsertItem(static_cast<int>(i), HistoryTime(entry));
        m_list.SetItemText(item, 1, entry.names.target);
        m_list.SetItemText(item, 2, Text(OutcomeText(row.outcome)));
    }
    m_strStatus = FormatText(HistoryStatus(m_history));
    UpdateData(FALSE);
    UpdateActionButton();
    return TRUE;
}

void CJournalDlg::InsertColumns()
{
    const int whenWidth = ColumnWidth(kWhenWidth, {Text(kHeadings[0]), kWidestTime});
    const int outcomeWidth = ColumnWidth(
        kOutcomeWidth, {Text(kHeadings[2]), Text(TextId::kOutcomePending),
                        Text(TextId::kOutcomeReplaced), Text(TextId::kOutcomeNotCarriedOut),
                        Text(TextId::kOutcomeTargetMissing), Text(TextId::kOutcomeChanged),
                        Text(TextId::kOutcomePutBack), Text(TextId::kOutcomeCancelled)});
    const int widths[] = {whenWidth, WidthLeft(whenWidth + outcomeWidth), outcomeWidth};
    for (int i = 0; i < 3; ++i)
        m_list.InsertColumn(i, Text(kHeadings[i]), LVCFMT_LEFT, widths[i], i);
}

bool CJournalDlg::CanAct(int selected) const
{
    return selected >= 0 && static_cast<size_t>(selected) < m_history.rows.size();
}

void CJournalDlg::OnAction(int selected)
{
    const HistoryRow& row = m_history.rows[static_cast<size_t>(selected)];
    m_restoreTarget = m_history.contents.entries[row.entry].names.target;
    m_restoreBackup = m_history.contents.entries[row.entry].names.backup;
    EndDialog(kRestoreChosen);
}
