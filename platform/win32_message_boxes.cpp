#include "platform/win32_message_boxes.h"

#include "framework/message_box.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

static_assert(box::kYesNo == MB_YESNO && box::kIconHand == MB_ICONHAND &&
                  box::kIconQuestion == MB_ICONQUESTION && box::kDefaultButton2 == MB_DEFBUTTON2 &&
                  box::kAnswerYes == IDYES && box::kAnswerNo == IDNO && box::kAnswerOk == IDOK,
              "message box values");

int Win32MessageBoxes::Show(const char* text, unsigned style)
{
    return AfxMessageBox(text, style);
}

int Win32MessageBoxes::ShowFromDialog(const char* text, const char* caption, unsigned style)
{
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxA(owner, text, caption, style);
}

int Win32MessageBoxes::ShowLong(const char* text, const char* summary, unsigned style)
{
    if (!MessageBoxFitsWorkArea(text)) {
        CLongTextDlg dialog(m_longText, text, summary);
        if (dialog.DoModal() != -1)
            return box::kAnswerOk;
    }
    // Also where the dialog cannot be made: the box shows what fits.
    return AfxMessageBox(text, style);
}
