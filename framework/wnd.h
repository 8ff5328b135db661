// CWnd: a non-owning holder of a window handle, with one-line wrappers over
// SendMessage and the subclassing that routes a control's messages through
// WindowProc.
#pragma once

#include "framework/cstring.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    void Attach(HWND window) { m_hWnd = window; }
    HWND Detach();

    // Creates a window whose every message, WM_NCCREATE and WM_CREATE included,
    // passes through WindowProc.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    // Routes the messages of an existing window through WindowProc from now on.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }

    HWND m_hWnd = nullptr;

protected:
    // The message switch of a subclassed window; the default passes everything on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The processing the window had before it was subclassed.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_superProc = nullptr;
};

// The text of any window, however long.
CString GetWindowTextOf(HWND window);

// The owner of a modal window that names none: the application's main window,
// or whatever modal window that one has open, unless that is `except` itself.
HWND ApplicationModalOwner(const CWnd* except = nullptr);
