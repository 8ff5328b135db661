#include "framework/long_text_dlg.h"

#include "framework/win_app.h"

#include <algorithm>

namespace {
// "\n" as "\r\n": a line feed alone is drawn by the edit control as a glyph.
// 0x0A is no trail byte of a double-byte character, so bytes are looked at one by one.
CString WithCrLf(const char* text)
{
    CString converted;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n' && (c == text || c[-1] != '\r'))
            converted += '\r';
        converted += *c;
    }
    return converted;
}

RECT ClientRectOf(HWND control, HWND dialog)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
}  // namespace

CLongTextDlg::CLongTextDlg(const LongTextTemplate& layout, const char* text, const char* summary,
                           CWnd* parent)
    : CDialog(layout.templateId, parent),
      m_textId(layout.textId),
      m_text(WithCrLf((CString(summary) + "\n\n" + text)))
{
}

BOOL CLongTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWinApp* app = AfxGetApp();
    SetWindowText(app ? static_cast<const char*>(app->m_strAppName) : "");

    HWND edit = GetDlgItem(m_textId);
    HWND button = GetDlgItem(IDOK);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT text = ClientRectOf(edit, m_hWnd);
    const RECT ok = ClientRectOf(button, m_hWnd);
    m_textMargins = {text.left, text.top, client.right - text.right, client.bottom - text.bottom};
    m_buttonSize = {ok.right - ok.left, ok.bottom - ok.top};
    m_buttonBottomMargin = client.bottom - ok.bottom;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    m_smallest = {(window.right - window.left) / 2, (window.bottom - window.top) / 2};

    // Past the limit the user may type (32 K characters by default): a long
    // report must not be cut. 0 lifts it to the most the system allows.
    ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    ::SetWindowTextA(edit, m_text);

    // A template larger than the work area (a small screen at a high DPI)
    // is shrunk to it; the dialog manager has not shown the dialog yet.
    RECT work;
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        const int width = std::min(window.right - window.left, work.right - work.left);
        const int height = std::min(window.bottom - window.top, work.bottom - work.top);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The focus on OK, not in the text: the dialog manager would select the
    // whole text of an edit control it gives the focus to.
    ::SetFocus(button);
    return FALSE;
}

BOOL CLongTextDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        result = 0;
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = m_smallest.cx;
        limits->ptMinTrackSize.y = m_smallest.cy;
        result = 0;
        return TRUE;
    }
    default:
        return CDialog::HandleMessage(message, wParam, lParam, result);
    }
}

void CLongTextDlg::OnSize(int width, int height)
{
    // Sizes arrive before WM_INITDIALOG has measured the template.
    if (m_buttonSize.cx == 0)
        return;
    const int buttonTop = height - m_buttonBottomMargin - m_buttonSize.cy;
    ::SetWindowPos(GetDlgItem(IDOK), nullptr, (width - m_buttonSize.cx) / 2, buttonTop, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(GetDlgItem(m_textId), nullptr, m_textMargins.left, m_textMargins.top,
                   width - m_textMargins.left - m_textMargins.right,
                   height - m_textMargins.top - m_textMargins.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
