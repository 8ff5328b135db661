// CTesseraDlg: the main dialog of the tool.
#pragma once

#include "framework/dialog.h"

class CTesseraDlg : public CDialog {
public:
    explicit CTesseraDlg(CWnd* parent = nullptr);
};
