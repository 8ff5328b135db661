#include "ui/list_action_dlg.h"

#include "framework/dpi.h"
#include "framework/screen_dpi.h"

#include <algorithm>

namespace {
// Room the list view keeps around a cell's text, beyond the text itself.
const int kCellMargin = 15;  // pixels at 96 DPI
}  // namespace

CListActionDlg::CListActionDlg(const ListActionTemplate& layout, CWnd* parent)
    : CDialog(layout.templateId, parent), m_layout(layout)
{
}

void CListActionDlg::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, m_layout.listId, m_list);
    DDX_Text(exchange, m_layout.statusId, m_strStatus);
}

BOOL CListActionDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != WM_NOTIFY)
        return CDialog::HandleMessage(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != static_cast<UINT_PTR>(m_layout.listId) ||
        header->code != LVN_ITEMCHANGED)
        return FALSE;
    UpdateActionButton();
    result = 0;
    return TRUE;
}

BOOL CListActionDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || LOWORD(wParam) != m_layout.actionId)
        return CDialog::OnCommand(wParam, lParam);
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (CanAct(selected))
        OnAction(selected);
    return TRUE;
}

void CListActionDlg::UpdateActionButton()
{
    const bool enabled = CanAct(m_list.GetNextItem(-1, LVNI_SELECTED));
    HWND button = GetDlgItem(m_layout.actionId);
    // A disabled button that keeps the focus leaves the keyboard nowhere to go.
    if (!enabled && ::GetFocus() == button)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
    ::EnableWindow(button, enabled ? TRUE : FALSE);
}

int CListActionDlg::ColumnWidth(int width96, std::initializer_list<const char*> texts)
{
    const int dpi = ScreenDpi();
    int width = ScaleForDpi(width96, dpi);
    for (const char* text : texts)
        width = std::max(width, m_list.GetStringWidth(text) + ScaleForDpi(kCellMargin, dpi));
    return width;
}

int CListActionDlg::WidthLeft(int used)
{
    RECT client;
    ::GetClientRect(m_list.m_hWnd, &client);
    return client.right - ::GetSystemMetrics(SM_CXVSCROLL) - used;
}
