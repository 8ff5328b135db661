#include "app/about_box_dlg.h"

#include "app/tessera_app.h"
#include "res/resource.h"
#include "texts/texts.h"

CAboutBoxDlg::CAboutBoxDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutBoxDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_HELP) {
        result = OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));
        return TRUE;
    }
    return CDialog::HandleMessage(message, wParam, lParam, result);
}

BOOL CAboutBoxDlg::OnHelpInfo(HELPINFO*)
{
    TesseraApp().OpenHelpFile(Text(TextId::kHelpFileName));
    return TRUE;
}
