// CFolderDialog: the shell's folder browser, run modally. It owns the request,
// the callback that preselects a folder, and the item list the shell hands
// back.
#pragma once

#include "framework/wnd.h"

#include <shlobj.h>

class CFolderDialog {
public:
    // preselection: the folder selected when the browser opens; a text of
    // MAX_PATH bytes or more is not preselected.
    explicit CFolderDialog(const char* title, const char* preselection = nullptr,
                           UINT flags = BIF_RETURNONLYFSDIRS, CWnd* parent = nullptr);
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    // IDOK when the user confirmed a folder that has a file-system path,
    // IDCANCEL otherwise.
    INT_PTR DoModal();
    CString GetFolderPath() const { return CString(m_szFolderPath); }

    BROWSEINFOA m_bi;

private:
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM preselection);

    CWnd* m_pParentWnd;
    char m_szPreselection[MAX_PATH];
    char m_szDisplayName[MAX_PATH];
    char m_szFolderPath[MAX_PATH];
};
