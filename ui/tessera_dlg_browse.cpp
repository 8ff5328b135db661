// The two browse buttons: each only puts a path into its field; the add rule
// judges the fields later.
#include "framework/file_dialog.h"
#include "framework/folder_dialog.h"
#include "ui/tessera_dlg.h"

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
    CFolderDialog dialog("置換先のフォルダを選択してください", m_strTargetFolder,
                         BIF_RETURNONLYFSDIRS, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strTargetFolder = dialog.GetFolderPath();
    UpdateData(FALSE);
}
