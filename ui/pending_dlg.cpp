#include "ui/pending_dlg.h"

#include "res/resource.h"

namespace {
struct Column {
    const char* heading;
    int width;  // pixels; 0: an equal share of what the other columns leave
};
const Column kColumns[] = {
    {"種類", 105},
    {"元", 0},
    {"先", 0},
    {"状態", 110},
};
const int kSharedColumns = 2;
}  // namespace

CPendingDlg::CPendingDlg(const PendingServices& services, int osKind, CWnd* parent)
    : CDialog(IDD_PENDING, parent), m_services(services), m_osKind(osKind)
{
}

void CPendingDlg::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_PENDING_LIST, m_list);
    DDX_Text(exchange, IDC_PENDING_STATUS, m_strStatus);
}

BOOL CPendingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // The paths get the list's width, less room for a vertical scroll bar, so
    // that a long queue needs no horizontal one.
    RECT client;
    ::GetClientRect(m_list.m_hWnd, &client);
    int shared = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    for (const Column& column : kColumns)
        shared -= column.width;
    for (int i = 0; i < 4; ++i) {
        const int width = kColumns[i].width ? kColumns[i].width : shared / kSharedColumns;
        m_list.InsertColumn(i, kColumns[i].heading, LVCFMT_LEFT, width, i);
    }
    ShowQueue();
    return TRUE;
}

BOOL CPendingDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != WM_NOTIFY)
        return CDialog::HandleMessage(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_PENDING_LIST || header->code != LVN_ITEMCHANGED)
        return FALSE;
    UpdateCancelButton();
    result = 0;
    return TRUE;
}

BOOL CPendingDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_CANCEL_REPLACEMENT) {
        OnCancelReplacement();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// A press that reaches a disabled button (a message sent from outside) finds
// no Tessera row and does nothing.
void CPendingDlg::OnCancelReplacement()
{
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (selected < 0)
        return;
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
        const int item = m_list.InsertItem(static_cast<int>(i), PendingKindText(row));
        m_list.SetItemText(item, 1, row.from);
        m_list.SetItemText(item, 2, row.to);
        m_list.SetItemText(item, 3, PendingStateText(row));
    }
    m_strStatus = PendingStatusText(m_pending);
    UpdateData(FALSE);
    UpdateCancelButton();
}

void CPendingDlg::UpdateCancelButton()
{
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    const bool tessera = selected >= 0 && static_cast<size_t>(selected) < m_pending.rows.size() &&
                         m_pending.rows[static_cast<size_t>(selected)].tessera;
    HWND button = GetDlgItem(IDC_CANCEL_REPLACEMENT);
    // A disabled button that keeps the focus leaves the keyboard nowhere to go.
    if (!tessera && ::GetFocus() == button)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
    ::EnableWindow(button, tessera ? TRUE : FALSE);
}
