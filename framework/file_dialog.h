// CFileDialog: the system's file-open dialog, run modally.
#pragma once

#include "framework/wnd.h"

#include <commdlg.h>

#include <string>

class CFileDialog {
public:
    // filter: pairs of display name and pattern list, each followed by '|',
    // the whole ended by a second '|' ("Text (*.txt)|*.txt||").
    explicit CFileDialog(const char* defaultExtension = nullptr, const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* filter = nullptr, CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user confirmed a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The full path of the confirmed file.
    CString GetPathName() const { return CString(m_ofn.lpstrFile); }

    OPENFILENAMEA m_ofn;  // callers may adjust it (lpstrTitle) before DoModal

private:
    CWnd* m_pParentWnd;
    std::string m_filter;            // the filter with NUL in place of each '|'
    char m_szFileName[MAX_PATH];     // what the dialog writes is bounded by its size
};
