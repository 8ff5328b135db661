#include "ui/tessera_dlg.h"

#include "res/resource.h"

CTesseraDlg::CTesseraDlg(CWnd* parent) : CDialog(IDD_MAIN, parent) {}
