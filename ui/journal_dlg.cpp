#include "ui/journal_dlg.h"

#include "framework/dpi.h"
#include "framework/screen_dpi.h"
#include "res/resource.h"
#include "texts/texts.h"

#include <algorithm>

namespace {
const TextId kHeadings[] = {TextId::kHistoryColumnWhen, TextId::kHistoryColumnTarget,
                            TextId::kHistoryColumnOutcome};
const EntryOutcome kOutcomes[] = {EntryOutcome::kPending,       EntryOutcome::kReplaced,
                                  EntryOutcome::kNotCarriedOut, EntryOutcome::kTargetMissing,
                                  EntryOutcome::kChanged,       EntryOutcome::kPutBack,
                                  EntryOutcome::kCancelled};
// The when and outcome columns keep at least these widths, scaled, and grow
// where the list's font needs more for the longest text they can show.
const int kWhenWidth = 110;     // pixels at 96 DPI
const int kOutcomeWidth = 90;   // pixels at 96 DPI
// Room the list view keeps around a cell's text, beyond the text itself.
const int kCellMargin = 15;     // pixels at 96 DPI
const char kWidestTime[] = "0000-00-00 00:00:00";
}  // namespace

CJournalDlg::CJournalDlg(const JournalServices& services, OsKind family, CWnd* parent)
    : CDialog(IDD_JOURNAL, parent), m_services(services), m_family(family)
{
}

void CJournalDlg::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_JOURNAL_LIST, m_list);
    DDX_Text(exchange, IDC_JOURNAL_STATUS, m_strStatus);
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
    UpdateRestoreButton();
    return TRUE;
}

void CJournalDlg::InsertColumns()
{
    const int dpi = ScreenDpi();
    const int margin = ScaleForDpi(kCellMargin, dpi);
    const auto fit = [&](int width, const char* text) {
        return std::max(width, m_list.GetStringWidth(text) + margin);
    };
    const int whenWidth =
        fit(fit(ScaleForDpi(kWhenWidth, dpi), Text(kHeadings[0])), kWidestTime);
    int outcomeWidth = fit(ScaleForDpi(kOutcomeWidth, dpi), Text(kHeadings[2]));
    for (const EntryOutcome outcome : kOutcomes)
        outcomeWidth = fit(outcomeWidth, Text(OutcomeText(outcome)));
    // The target gets the rest, less room for a vertical scroll bar.
    RECT client;
    ::GetClientRect(m_list.m_hWnd, &client);
    const int targetWidth =
        client.right - ::GetSystemMetrics(SM_CXVSCROLL) - whenWidth - outcomeWidth;
    const int widths[] = {whenWidth, targetWidth, outcomeWidth};
    for (int i = 0; i < 3; ++i)
        m_list.InsertColumn(i, Text(kHeadings[i]), LVCFMT_LEFT, widths[i], i);
}

BOOL CJournalDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != WM_NOTIFY)
        return CDialog::HandleMessage(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_JOURNAL_LIST || header->code != LVN_ITEMCHANGED)
        return FALSE;
    UpdateRestoreButton();
    result = 0;
    return TRUE;
}

BOOL CJournalDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_JOURNAL_RESTORE) {
        OnRestore();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// A press that reaches a disabled button (a message sent from outside) finds
// no row and does nothing.
void CJournalDlg::OnRestore()
{
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (selected < 0 || static_cast<size_t>(selected) >= m_history.rows.size())
        return;
    const HistoryRow& row = m_history.rows[static_cast<size_t>(selected)];
    m_restoreTarget = m_history.contents.entries[row.entry].names.target;
    m_restoreBackup = m_history.contents.entries[row.entry].names.backup;
    EndDialog(kRestoreChosen);
}

void CJournalDlg::UpdateRestoreButton()
{
    const bool selected = m_list.GetNextItem(-1, LVNI_SELECTED) >= 0;
    HWND button = GetDlgItem(IDC_JOURNAL_RESTORE);
    // A disabled button that keeps the focus leaves the keyboard nowhere to go.
    if (!selected && ::GetFocus() == button)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
    ::EnableWindow(button, selected ? TRUE : FALSE);
}
