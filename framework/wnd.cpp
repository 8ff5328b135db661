#include "framework/wnd.h"

#include <string>

namespace {
const char kObjectProperty[] = "Tessera.CWnd";
}

CWnd::~CWnd()
{
    if (m_superProc && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        ::RemovePropA(m_hWnd, kObjectProperty);
    }
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd)
        return FALSE;
    m_hWnd = window;
    ::SetPropA(window, kObjectProperty, this);
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return m_superProc != nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

CString CWnd::GetWindowText() const
{
    return GetWindowTextOf(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc)
        return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = static_cast<CWnd*>(::GetPropA(window, kObjectProperty));
    if (!object)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC super = object->m_superProc;
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::RemovePropA(window, kObjectProperty);
        object->m_superProc = nullptr;
        object->m_hWnd = nullptr;
        return ::CallWindowProcA(super, window, message, wParam, lParam);
    }
    // Nothing may unwind through the system's window procedure.
    try {
        return object->WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

CString GetWindowTextOf(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0)
        return CString();
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, &buffer[0], length + 1);
    return CString(buffer.data(), copied > 0 ? copied : 0);
}
