#include "ui/tessera_dlg.h"

#include "app/about_box_dlg.h"
#include "app/tessera_app.h"
#include "framework/dpi.h"
#include "framework/resources.h"
#include "framework/screen_dpi.h"
#include "plan/version_text.h"
#include "res/resource.h"
#include "texts/texts.h"
#include "ui/journal_dlg.h"
#include "ui/minimized_icon.h"
#include "ui/pending_dlg.h"

#include <optional>

namespace {
struct Column {
    TextId heading;
    int width;  // pixels at 96 DPI
};
const Column kColumns[] = {
    {TextId::kColumnSource, 195},
    {TextId::kColumnVersion, 70},
    {TextId::kColumnTarget, 195},
    {TextId::kColumnVersion, 70},
};

struct Tool {
    int id;
    TextId text;
};
// In the order they are added; the captions and the indicator label have none.
const Tool kTools[] = {
    {IDC_SOURCE_EDIT, TextId::kTipSourceEdit},
    {IDC_TARGET_EDIT, TextId::kTipTargetEdit},
    {IDC_BROWSE_SOURCE, TextId::kTipBrowseSource},
    {IDC_BROWSE_TARGET, TextId::kTipBrowseTarget},
    {IDC_ADD, TextId::kTipAdd},
    {IDC_REMOVE, TextId::kTipRemove},
    {IDC_LIST, TextId::kTipList},
    {IDC_HELP_BUTTON, TextId::kTipHelp},
    {IDC_ABOUT, TextId::kTipAbout},
    {IDCANCEL, TextId::kTipQuit},
    {IDOK, TextId::kTipReplace},
};
const int kMaxTipWidth = 400;  // pixels at 96 DPI; longer texts wrap

struct SystemEntry {
    UINT text;  // string resource
    UINT command;
    bool startsGroup;  // a separator goes before the group's first entry shown
};
// After the system's own entries: the pending operations, the restore from a
// backup and the history of replacements, then About, each group behind a
// separator.
const SystemEntry kSystemEntries[] = {
    {IDS_PENDING, IDM_PENDING, true},
    {IDS_RESTORE, IDM_RESTORE, false},
    {IDS_JOURNAL, IDM_JOURNAL, false},
    {IDS_ABOUTBOX, IDM_ABOUTBOX, true},
};
}  // namespace

CTesseraDlg::CTesseraDlg(const DialogServices& services, CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_editSource(services.files),
      m_editTarget(services.files),
      m_hIcon(::LoadIconA(static_cast<HINSTANCE>(AfxGetApp()->m_hInstance),
                          MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_services(services)
{
}

void CTesseraDlg::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_LIST, m_list);
    DDX_Text(exchange, IDC_SOURCE_EDIT, m_strSource);
    DDX_Text(exchange, IDC_TARGET_EDIT, m_strTargetFolder);
    DDX_Text(exchange, IDC_OS_LABEL, m_strOsLabel);
}

BOOL CTesseraDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int dpi = ScreenDpi();

    m_editSource.SubclassDlgItem(IDC_SOURCE_EDIT, this);
    m_editTarget.SubclassDlgItem(IDC_TARGET_EDIT, this);
    m_editSource.m_bFolderMode = 0;
    m_editTarget.m_bFolderMode = 1;

    // Exactly full-row selection: a click anywhere in a row selects the row.
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i, Text(kColumns[i].heading), LVCFMT_LEFT,
                            ScaleForDpi(kColumns[i].width, dpi), i);

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_strOsLabel = "";
    UpdateData(FALSE);

    // The system menu's entries wait until that menu opens, and the tooltip
    // until the mouse first comes: the dialog shows without them.

    // The focus is left where the dialog manager puts it.
    return FALSE;
}

void CTesseraDlg::AddSystemEntries()
{
    if (m_systemEntriesAdded)
        return;
    HMENU systemMenu = GetSystemMenu(FALSE);
    if (!systemMenu)
        return;
    m_systemEntriesAdded = true;
    bool separatorDue = false;
    for (const SystemEntry& entry : kSystemEntries) {
        separatorDue = separatorDue || entry.startsGroup;
        const CString text =
            ResourceString(static_cast<HINSTANCE>(AfxGetApp()->m_hInstance), entry.text);
        if (text.IsEmpty())
            continue;
        if (separatorDue)
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(systemMenu, MF_STRING, entry.command, text);
        separatorDue = false;
    }
}

void CTesseraDlg::CreateToolTip()
{
    m_toolTip.Create(this, 0);
    m_toolTip.Activate(TRUE);
    m_toolTip.SetMaxTipWidth(ScaleForDpi(kMaxTipWidth, ScreenDpi()));
    for (const Tool& tool : kTools)
        m_toolTip.AddTool(GetDlgItem(tool.id), Text(tool.text));
}

// The tooltip does not watch the controls itself: it learns of the mouse only
// from what is relayed here, before the dialog keys are looked at.
BOOL CTesseraDlg::PreTranslateMessage(MSG* message)
{
    const bool fromMouse = message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST;
    if (!m_toolTip.m_hWnd && fromMouse)
        CreateToolTip();
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

BOOL CTesseraDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    result = 0;
    switch (message) {
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        return TRUE;
    case WM_HELP:
        result = OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));
        return TRUE;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam))  // the system menu
            AddSystemEntries();
        return FALSE;
    default:
        return CDialog::HandleMessage(message, wParam, lParam, result);
    }
}

BOOL CTesseraDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_ABOUT: OnAbout(); return TRUE;
        case IDC_BROWSE_TARGET: OnBrowseTarget(); return TRUE;
        case IDC_BROWSE_SOURCE: OnBrowseSource(); return TRUE;
        case IDC_ADD: OnAdd(); return TRUE;
        case IDC_REMOVE: OnRemove(); return TRUE;
        case IDC_HELP_BUTTON: OnHelpButton(); return TRUE;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

// The system uses the low four bits of system commands itself.
BOOL CTesseraDlg::OnSysCommand(UINT id, LPARAM)
{
    switch (id & 0xFFF0) {
    case IDM_ABOUTBOX: OnAbout(); return TRUE;
    case IDM_PENDING: OnPendingOperations(); return TRUE;
    case IDM_RESTORE: OnRestore(); return TRUE;
    case IDM_JOURNAL: OnHistory(); return TRUE;
    default: return FALSE;  // the default processing: move, close, ...
    }
}

BOOL CTesseraDlg::OnPaint()
{
    if (!IsIconic())
        return FALSE;
    PAINTSTRUCT paint;
    HDC context = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::DrawIcon(context, CentredIconOffset(client.right - client.left, iconWidth),
               CentredIconOffset(client.bottom - client.top, iconHeight), m_hIcon);
    ::EndPaint(m_hWnd, &paint);
    return TRUE;
}

BOOL CTesseraDlg::OnHelpInfo(HELPINFO*)
{
    TesseraApp().OpenHelpFile(Text(TextId::kHelpFileName));
    return TRUE;
}

void CTesseraDlg::OnHelpButton()
{
    TesseraApp().OpenHelpFile(Text(TextId::kHelpFileName));
}

void CTesseraDlg::OnAbout()
{
    CAboutBoxDlg about;
    about.DoModal();
}

void CTesseraDlg::OnPendingOperations()
{
    std::optional<JournalAccess> journal;
    if (m_services.journal && m_services.clock)
        journal.emplace(JournalAccess{*m_services.journal, *m_services.clock});
    CPendingDlg pending(PendingServices{m_services.queue, m_services.wideToAnsi, m_services.files,
                                        m_services.codePage, m_services.boxes,
                                        journal ? &*journal : nullptr},
                        TesseraApp().m_nOsKind, this);
    pending.DoModal();
}

void CTesseraDlg::OnHistory()
{
    if (!m_services.journal || !m_services.clock)
        return;
    UpdateData(TRUE);
    RecordVersionTexts versions(m_services.versions);
    CJournalDlg history(JournalServices{*m_services.journal, *m_services.clock, m_services.files,
                                        versions, m_services.queue, m_services.wideToAnsi,
                                        m_services.codePage, m_services.boxes},
                        TesseraApp().m_nOsKind, this);
    if (history.DoModal() == CJournalDlg::kRestoreChosen)
        RestoreFile(history.RestoreTarget(), history.RestoreBackup());
}
