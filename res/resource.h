// Resource identifiers, shared by the resource script and the code.

// Application
#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 0x0010

// About box
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ADDRESS 1001
#define IDC_ABOUT_CONTACT 1002

// Main dialog
#define IDD_MAIN 102
#define IDC_SOURCE_EDIT 1000
#define IDC_TARGET_EDIT 1001
#define IDC_ADD 1002
#define IDC_BROWSE_SOURCE 1004
#define IDC_BROWSE_TARGET 1005
#define IDC_REMOVE 1006
#define IDC_ABOUT 1007
#define IDC_LIST 1008
#define IDC_OS_LABEL 1009
#define IDC_HELP_BUTTON 1010

// Pending-operations dialog, and its entry in the main dialog's system menu
// (system commands keep their low four bits zero)
#define IDD_PENDING 103
#define IDS_PENDING 104
#define IDM_PENDING 0x0020
#define IDC_PENDING_LIST 1020
#define IDC_PENDING_STATUS 1021
#define IDC_CANCEL_REPLACEMENT 1022

// The main dialog's system-menu command that puts a replaced file back from
// its backup
#define IDS_RESTORE 105
#define IDM_RESTORE 0x0030

// The dialog that shows a text too long for a message box (a long report)
#define IDD_LONG_TEXT 106
#define IDC_LONG_TEXT 1030

// The main dialog's system-menu command that opens the history of
// replacements, and that dialog
#define IDD_JOURNAL 107
#define IDS_JOURNAL 108
#define IDM_JOURNAL 0x0040
#define IDC_JOURNAL_LIST 1040
#define IDC_JOURNAL_STATUS 1041
#define IDC_JOURNAL_RESTORE 1042
