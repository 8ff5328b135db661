#include "framework/wnd.h"

#include "framework/win_app.h"

#include <string>

namespace {
const char kObjectProperty[] = "Tessera.CWnd";

// The object whose window is being created on this (the only) UI thread.
CWnd* g_creating = nullptr;
HHOOK g_creationHook = nullptr;

// Runs before the new window receives its first message.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_creating) {
        CWnd* object = g_creating;
        g_creating = nullptr;
        object->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(g_creationHook, code, wParam, lParam);
}
}  // namespace

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

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    g_creating = this;
    g_creationHook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    const HWND window = ::CreateWindowExA(
        exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    ::UnhookWindowsHookEx(g_creationHook);
    g_creationHook = nullptr;
    g_creating = nullptr;
    // A window that refused its creation has been destroyed already.
    if (!window)
        m_hWnd = nullptr;
    return window != nullptr;
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

HWND ApplicationModalOwner(const CWnd* except)
{
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (!main || main == except || !::IsWindow(main->m_hWnd))
        return nullptr;
    return ::GetLastActivePopup(main->m_hWnd);
}
