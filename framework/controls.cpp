#include "framework/controls.h"

#include <string>

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width, int subItem)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(heading);
    col.iSubItem = subItem;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int item, const char* text)
{
    LVITEMA row = {};
    row.mask = LVIF_TEXT;
    row.iItem = item;
    row.pszText = const_cast<char*>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text)
{
    LVITEMA cell = {};
    cell.iSubItem = subItem;
    cell.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)));
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    // The control answers how many bytes it copied; grow until the text fits.
    for (int size = 264;; size *= 2) {
        std::string buffer(static_cast<size_t>(size), '\0');
        LVITEMA cell = {};
        cell.iSubItem = subItem;
        cell.pszText = &buffer[0];
        cell.cchTextMax = size;
        const int length =
            static_cast<int>(SendMessage(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)));
        if (length < size - 1)
            return CString(buffer.data(), length);
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA row = {};
    row.state = state;
    row.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&row)));
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    m_hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent->m_hWnd,
                               nullptr, nullptr, nullptr);
    return m_hWnd != nullptr;
}

BOOL CToolTipCtrl::AddTool(HWND control, const char* text)
{
    // The first form of the record, which every release of the control knows.
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}
