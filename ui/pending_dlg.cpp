#include "ui/pending_dlg.h"

#include "framework/dpi.h"
#include "framework/screen_dpi.h"
#include "res/resource.h"
#include "texts/texts.h"

#include <algorithm>
#include <vector>

namespace {
const TextId kHeadings[] = {TextId::kPendingColumnKind, TextId::kPendingColumnFrom,
                            TextId::kPendingColumnTo, TextId::kPendingColumnState};
// The kind and state columns keep at least the widths they were given for a
// 96-DPI screen, scaled, and grow where the list's font needs more for the
// longest text they can show; the two paths share what is left.
const int kKindWidth = 105;   // pixels at 96 DPI
const int kStateWidth = 110;  // pixels at 96 DPI
// Room the list view keeps around a cell's text, beyond the text itself.
const int kCellMargin = 15;  // pixels at 96 DPI

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
    // A path or state that its column cuts shows whole under the pointer.
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    InsertColumns();
    ShowQueue();
    return TRUE;
}

void CPendingDlg::InsertColumns()
{
    const int dpi = ScreenDpi();
    const int margin = ScaleForDpi(kCellMargin, dpi);
    const auto fit = [&](int width, const char* text) {
        return std::max(width, m_list.GetStringWidth(text) + margin);
    };
    int kindWidth = fit(ScaleForDpi(kKindWidth, dpi), Text(kHeadings[0]));
    int stateWidth = fit(ScaleForDpi(kStateWidth, dpi), Text(kHeadings[3]));
    for (const TextId kind : kKinds)
        kindWidth = fit(kindWidth, Text(kind));
    for (const TextId state : kStates)
        stateWidth = fit(stateWidth, Text(state));
    // The paths get the rest of the list's width, less room for a vertical
    // scroll bar, so that a long queue needs no horizontal one.
    RECT client;
    ::GetClientRect(m_list.m_hWnd, &client);
    const int pathWidth =
        (client.right - ::GetSystemMetrics(SM_CXVSCROLL) - kindWidth - stateWidth) / 2;
    const int widths[] = {kindWidth, pathWidth, pathWidth, stateWidth};
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i, Text(kHeadings[i]), LVCFMT_LEFT, widths[i], i);
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
        const int item = m_list.InsertItem(static_cast<int>(i), KindText(row));
        m_list.SetItemText(item, 1, row.from);
        m_list.SetItemText(item, 2, row.to);
        m_list.SetItemText(item, 3, StateText(row));
    }
    m_strStatus = FormatText(PendingStatus(m_pending));
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
