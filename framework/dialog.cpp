#include "framework/dialog.h"

#include "framework/resources.h"
#include "framework/win_app.h"

void DDX_Text(CDataExchange* exchange, int id, CString& value)
{
    HWND control = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate)
        value = GetWindowTextOf(control);
    else
        ::SetWindowTextA(control, value);
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.Attach(exchange->m_pDlgWnd->GetDlgItem(id));
}

INT_PTR CDialog::DoModal()
{
    HWND owner = OwnerForModalRun();
    m_ended = false;
    m_result = -1;
    const HINSTANCE instance = static_cast<HINSTANCE>(AfxGetApp()->m_hInstance);
    const LPCDLGTEMPLATEA dialogTemplate = DialogTemplate(instance, m_nIDTemplate);
    if (!dialogTemplate ||
        !::CreateDialogIndirectParamA(instance, dialogTemplate, owner, &CDialog::DialogProc,
                                      reinterpret_cast<LPARAM>(this)))
        return -1;
    const bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);

    MSG message;
    while (!m_ended) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }

    // Re-enable the owner before the dialog goes, so that activation returns to it.
    if (disabledOwner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    // Wake the modal loop even when nothing else is queued.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* message)
{
    return ::IsDialogMessageA(m_hWnd, message);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != WM_COMMAND)
        return FALSE;
    result = 0;
    return OnCommand(wParam, lParam);
}

HWND CDialog::OwnerForModalRun() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    return ApplicationModalOwner(this);
}

void CDialog::CenterOnOwner(HWND owner)
{
    RECT area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The object rides in the dialog's DWLP_USER, which the dialog manager keeps
// for its procedure: a window property would cost Wine a round trip to its
// server on every message.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
    }
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT) find no object.
    if (!dialog)
        return FALSE;
    // Nothing may unwind through the dialog manager.
    try {
        if (message == WM_INITDIALOG) {
            const BOOL focusDefault = dialog->OnInitDialog();
            dialog->CenterOnOwner(::GetWindow(window, GW_OWNER));
            return focusDefault;
        }
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrA(window, DWLP_USER, 0);
            dialog->m_hWnd = nullptr;
            CWinApp* app = AfxGetApp();
            if (app && app->m_pMainWnd == dialog)
                app->m_pMainWnd = nullptr;
            return FALSE;
        }
        INT_PTR result = 0;
        if (!dialog->HandleMessage(message, wParam, lParam, result))
            return FALSE;
        switch (message) {
        // These answer through the procedure's own return value.
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
        case WM_CHARTOITEM: case WM_QUERYDRAGICON:
            return result;
        default:
            ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
    } catch (...) {
        return FALSE;
    }
}
