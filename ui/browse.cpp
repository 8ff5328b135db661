// The two browse buttons: each only puts a path into its field; the add rule
// judges the fields later.
#include "framework/file_dialog.h"
#include "platform/system_library.h"
#include "ui/tessera_dlg.h"

#include <shlobj.h>

namespace {
const char kSourceFilter[] =
    "システムファイル (exe;com;sys;dll;vxd)|*.exe; *.com; *.sys; *.dll; *.vxd|"
    "すべてのファイル (*.*)|*.*||";
}  // namespace

void CTesseraDlg::OnBrowseSource()
{
    UpdateData(TRUE);
    CFileDialog dialog(nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSourceFilter);
    dialog.m_ofn.lpstrTitle = "置換元のファイルを選択してください";
    if (dialog.DoModal() != IDOK)
        return;
    m_strSource = dialog.GetPathName();
    UpdateData(FALSE);
}

void CTesseraDlg::OnBrowseTarget()
{
    UpdateData(TRUE);
    // A folder text too long for the buffer is simply not preselected.
    char preselection[MAX_PATH] = {};
    if (m_strTargetFolder.GetLength() < MAX_PATH)
        ::lstrcpynA(preselection, m_strTargetFolder, MAX_PATH);

    char path[MAX_PATH] = {};
    BROWSEINFOA request = {};
    request.hwndOwner = m_hWnd;
    request.pszDisplayName = path;
    request.lpszTitle = "置換先のフォルダを選択してください";
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = &CTesseraDlg::BrowseCallback;
    request.lParam = reinterpret_cast<LPARAM>(preselection);
    // The shell is loaded only when the folder browser is wanted.
    const auto browse =
        SystemFunction<decltype(&::SHBrowseForFolderA)>("SHELL32.DLL", "SHBrowseForFolderA");
    const auto pathOf =
        SystemFunction<decltype(&::SHGetPathFromIDListA)>("SHELL32.DLL", "SHGetPathFromIDListA");
    const auto getMalloc = SystemFunction<decltype(&::SHGetMalloc)>("SHELL32.DLL", "SHGetMalloc");
    if (!browse || !pathOf || !getMalloc)
        return;
    LPITEMIDLIST folder = browse(&request);
    if (!folder)
        return;
    // Without a file-system path the buffer would hold the display name only.
    if (pathOf(folder, path)) {
        m_strTargetFolder = path;
        UpdateData(FALSE);
    }
    // The list belongs to the caller and goes back to the shell's allocator.
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(getMalloc(&allocator))) {
        allocator->Free(folder);
        allocator->Release();
    }
}

int CALLBACK CTesseraDlg::BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM preselection)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, preselection);
    return 0;
}
