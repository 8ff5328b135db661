// CAboutBoxDlg: the fixed box that names the tool and its version.
#pragma once

#include "framework/dialog.h"

class CAboutBoxDlg : public CDialog {
public:
    CAboutBoxDlg();

protected:
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // F1 anywhere in the box opens the help; the box stays open.
    BOOL OnHelpInfo(HELPINFO* info);
};
