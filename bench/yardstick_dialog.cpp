// The yardstick for TESSERA.EXE's start-up: a dialog program that does the
// duties every start of Tessera has and nothing more: COM initialised, the
// common controls initialised, a dialog that hosts a report list view with
// columns, and the same manifest (common controls 6, DPI awareness).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {
const int kListId = 100;

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        HWND list = ::GetDlgItem(window, kListId);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>("Column");
        for (int i = 0; i < 4; ++i)
            ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    ::CoInitialize(nullptr);
    const INT_PTR result =
        ::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &DialogProc, 0);
    ::CoUninitialize();
    return static_cast<int>(result);
}
