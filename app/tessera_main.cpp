// The one application object of the program (TESSERA.EXE, TESSERA64.EXE),
// wired to Windows, and the main dialog it runs: the only place that knows
// both the application and the dialog.
#include "app/tessera_app.h"
#include "app/win32_startup_services.h"
#include "framework/win32_code_page.h"
#include "plan/version_text.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_journal_store.h"
#include "platform/win32_message_boxes.h"
#include "platform/win32_restart_queue_store.h"
#include "platform/win32_restart_services.h"
#include "platform/win32_shell.h"
#include "platform/win32_token_services.h"
#include "platform/win32_version_records.h"
#include "platform/win32_wide_to_ansi.h"
#include "res/resource.h"
#include "schedule/journal_review.h"
#include "ui/tessera_dlg.h"

namespace {
Win32StartupLibraries g_libraries;
Win32SystemFacts g_facts;
Win32TokenServices g_tokens;
Win32MessageBoxes g_boxes({IDD_LONG_TEXT, IDC_LONG_TEXT});
Win32CodePage g_codePage;
Win32FileSystemOps g_files;
Win32VersionRecords g_versions;
Win32RestartServices g_restart;
Win32RestartQueueStore g_queue;
Win32WideToAnsi g_wideToAnsi;
Win32Shell g_shell;
Win32JournalStore g_journal;
Win32Clock g_clock;

class MainDialog : public MainDialogRunner {
public:
    void RunMainDialog() override
    {
        CTesseraDlg dialog(
            DialogServices{g_files, g_codePage, g_versions, g_boxes, g_queue, g_wideToAnsi,
                           &g_journal, &g_clock});
        AfxGetApp()->m_pMainWnd = &dialog;
        dialog.DoModal();
    }
};
MainDialog g_mainDialog;

class Review : public RestartReview {
public:
    void TellWhatTheRestartDid(OsKind family) override
    {
        RecordVersionTexts versions(g_versions);
        ::TellWhatTheRestartDid(family, JournalServices{g_journal, g_clock, g_files, versions,
                                                        g_queue, g_wideToAnsi, g_codePage,
                                                        g_boxes});
    }
};
Review g_review;
}  // namespace

CTesseraApp theApp(AppServices{g_libraries, g_facts, g_mainDialog, g_tokens, g_boxes, g_codePage,
                               g_restart, g_shell, &g_review});
