#include "framework/folder_dialog.h"

#include "framework/system_library.h"

#include <cstring>

CFolderDialog::CFolderDialog(const char* title, const char* preselection, UINT flags, CWnd* parent)
    : m_bi(), m_pParentWnd(parent), m_szPreselection(), m_szDisplayName(), m_szFolderPath()
{
    if (preselection && std::strlen(preselection) < MAX_PATH)
        ::lstrcpynA(m_szPreselection, preselection, MAX_PATH);
    m_bi.pszDisplayName = m_szDisplayName;
    m_bi.lpszTitle = title;
    m_bi.ulFlags = flags;
    m_bi.lpfn = &CFolderDialog::BrowseCallback;
    m_bi.lParam = reinterpret_cast<LPARAM>(m_szPreselection);
}

INT_PTR CFolderDialog::DoModal()
{
    m_bi.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : ApplicationModalOwner();
    // The shell is loaded only when the folder browser is wanted.
    const auto browse =
        SystemFunction<decltype(&::SHBrowseForFolderA)>("SHELL32.DLL", "SHBrowseForFolderA");
    const auto pathOf =
        SystemFunction<decltype(&::SHGetPathFromIDListA)>("SHELL32.DLL", "SHGetPathFromIDListA");
    const auto getMalloc = SystemFunction<decltype(&::SHGetMalloc)>("SHELL32.DLL", "SHGetMalloc");
    if (!browse || !pathOf || !getMalloc)
        return IDCANCEL;
    LPITEMIDLIST folder = browse(&m_bi);
    if (!folder)
        return IDCANCEL;
    // Without a file-system path the buffer would hold the display name only.
    const bool hasPath = pathOf(folder, m_szFolderPath) != FALSE;
    if (!hasPath)
        m_szFolderPath[0] = '\0';
    // The list belongs to the caller and goes back to the shell's allocator.
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(getMalloc(&allocator))) {
        allocator->Free(folder);
        allocator->Release();
    }
    return hasPath ? IDOK : IDCANCEL;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM preselection)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, preselection);
    return 0;
}
