#include "framework/file_dialog.h"

#include "framework/system_library.h"

CFileDialog::CFileDialog(const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_ofn(), m_pParentWnd(parent), m_szFileName()
{
    if (fileName)
        ::lstrcpynA(m_szFileName, fileName, MAX_PATH);
    if (filter) {
        m_filter = filter;
        for (char& c : m_filter) {
            if (c == '|')
                c = '\0';
        }
    }
    // The first form of the record, which the dialogs of NT 4.0 and 95 accept.
    m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = defaultExtension;
    m_ofn.lpstrFilter = filter ? m_filter.c_str() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : ApplicationModalOwner();
    // The common dialogs are loaded only when one is wanted.
    const auto getOpenFileName =
        SystemFunction<decltype(&::GetOpenFileNameA)>("COMDLG32.DLL", "GetOpenFileNameA");
    return getOpenFileName && getOpenFileName(&m_ofn) ? IDOK : IDCANCEL;
}
