// The two browse buttons: each only puts a path into its field; the add rule
// judges the fields later. The restore command browses for its file here too.
#include "framework/file_dialog.h"
#include "framework/folder_dialog.h"
#include "texts/texts.h"
#include "ui/tessera_dlg.h"


// A folder text longer than a path (259 bytes) names no folder that the ANSI
// services reach; the dialog then starts where it starts by default.
bool CTesseraDlg::BrowseForFile(const char* title, const CString& initialFolder, CString& path)
{
    CFileDialog dialog(nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       Text(TextId::kFileFilter));
    dialog.m_ofn.lpstrTitle = title;
    if (!initialFolder.IsEmpty() && initialFolder.GetLength() < MAX_PATH)
        dialog.m_ofn.lpstrInitialDir = initialFolder;
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

void CTesseraDlg::OnBrowseSource()
{
    UpdateData(TRUE);
    if (!BrowseForFile(Text(TextId::kChooseSourceTitle), CString(), m_strSource))
        return;
    UpdateData(FALSE);
}

void CTesseraDlg::OnBrowseTarget()
{
    UpdateData(TRUE);
    CFolderDialog dialog(Text(TextId::kChooseTargetTitle), m_strTargetFolder,
                         BIF_RETURNONLYFSDIRS, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strTargetFolder = dialog.GetFolderPath();
    UpdateData(FALSE);
}
