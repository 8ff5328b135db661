#include "ui/pending_dlg.h"

#include "res/resource.h"
#include "texts/texts.h"


namespace {
const TextId kHeadings[] = {TextId::kPendingColumnKind, TextId::kPendingColumnFrom,
                            TextId::kPendingColumnTo, TextId::kPendingColumnState};
// The kind and state columns keep at least the widths they were given for a
// 96-DPI screen, scaled, and grow where the list's font needs more for the
// longest text they can show; the two paths share what is left.
const int kKindWidth = 105;   // pixels at 96 DPI
const int kStateWidth = 110;  // pixels at 96 DPI

// The texts of the kind and state cells: a Tessera row's own, then one per
// kind of a single operation (QueuedKind's order); a Tessera row's state.
const TextId kKinds[] = {TextId::kKindTessera, TextId::kKindRename, TextId::kKindRenameReplacing,
                         TextId::kKindDelete};
const TextId kStates[] = {TextId::kStagedMissing, TextId::kStagedPresent};

const char* KindText(const PendingRow& row)
{
    return Text(kKinds[row.tessera ? 0 : 1 + static_cast<int>(row.kind)]);
}

const char* StateText(const PendingRow& row)
{
    return row.tessera ? Text(kStates[row.stagedExists ? 1 : 0]) : "";
}
}  // namespace

CPendingDlg::CPendingDlg(const PendingServices& services, OsKind osKind, CWnd* parent)
    : CListActionDlg({IDD_PENDING, IDC_PENDING_LIST, IDC_PENDING_STATUS, IDC_CANCEL_REPLACEMENT},
                     parent),
      m_services(services),
      m_osKind(osKind)
{
}

BOOL CPendingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A path or state that its column cuts shows whole under the pointer.
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    InsertColumns();
    ShowQueue();
    return TRUE;
}

void CPendingDlg::InsertColumns()
{
    const int kindWidth =
        ColumnWidth(kKindWidth, {Text(kHeadings[0]), Text(kKinds[0]), Text(kKinds[1]),
                                 Text(kKinds[2]), Text(kKinds[3])});
    const int stateWidth =
        ColumnWidth(kStateWidth, {Text(kHeadings[3]), Text(kStates[0]), Text(kStates[1])});
    const int pathWidth = WidthLeft(kindWidth + stateWidth) / 2;
    const int widths[] = {kindWidth, pathWidth, pathWidth, stateWidth};
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i, Text(kHeadings[i]), LVCFMT_LEFT, widths[i], i);
}

bool CPendingDlg::CanAct(int selected) const
{
    return selected >= 0 && static_cast<size_t>(selected) < m_pending.rows.size() &&
           m_pending.rows[static_cast<size_t>(selected)].tessera;
}

void CPendingDlg::OnAction(int selected)
{
    if (CancelPendingReplacement(m_pending, static_cast<size_t>(selected), m_services) !=
        CancelResult::kDeclined)
        ShowQueue();
}

void CPendingDlg::ShowQueue()
{
    m_pending = ReadPendingList(m_osKind, m_services);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < m_pending.rows.size(); ++i) {
        const PendingRow& row = m_pending.rows[i];
        const int item = m_list.InsertItem(static_cast<int>(i), KindText(row));
        m_list.SetItemText(item, 1, row.from);
        m_list.SetItemText(item, 2, row.to);
        m_list.SetItemText(item, 3, StateText(row));
    }
    m_strStatus = FormatText(PendingStatus(m_pending));
    UpdateData(FALSE);
    UpdateActionButton();
}
