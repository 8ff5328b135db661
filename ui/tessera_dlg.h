// CTesseraDlg: the main dialog of the tool. It owns the replacement plan, the
// two path fields, the list, the tooltips and the icon, and routes every
// button to the code that does the work.
#pragma once

#include "framework/code_page.h"
#include "framework/controls.h"
#include "framework/cstringarray.h"
#include "framework/dialog.h"
#include "platform/clock.h"
#include "platform/file_system_ops.h"
#include "platform/journal_store.h"
#include "platform/message_boxes.h"
#include "platform/restart_queue_store.h"
#include "platform/version_records.h"
#include "plan/replacement_plan.h"
#include "platform/wide_to_ansi.h"
#include "ui/drop_edit.h"

// What the main dialog and its fields need of the system.
struct DialogServices {
    FileSystemOps& files;
    const CodePage& codePage;
    VersionRecords& versions;
    MessageBoxes& boxes;
    // The operations already queued for the next restart.
    RestartQueueStore& queue;
    const WideToAnsi& wideToAnsi;
    // The journal of replacements and the clock its lines are stamped by;
    // without them nothing is journaled and there is no history.
    JournalStore* journal = nullptr;
    Clock* clock = nullptr;
};

class CTesseraDlg : public CDialog {
public:
    explicit CTesseraDlg(const DialogServices& services, CWnd* parent = nullptr);

    CListCtrl m_list;
    CString m_strSource;
    CString m_strTargetFolder;
    CString m_strOsLabel;
    CDropEdit m_editSource;
    CDropEdit m_editTarget;
    CStringArray m_sources;
    CStringArray m_targets;
    CToolTipCtrl m_toolTip;
    HICON m_hIcon;

private:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    BOOL OnSysCommand(UINT id, LPARAM lParam);
    BOOL OnPaint();
    HICON OnQueryDragIcon() { return m_hIcon; }
    BOOL OnHelpInfo(HELPINFO* info);
    void OnAbout();
    // The operations queued for the next restart, in a dialog of their own.
    void OnPendingOperations();
    // The journal's entries and what became of them; a restore chosen there
    // goes through RestoreFile.
    void OnHistory();
    void OnBrowseTarget();
    void OnBrowseSource();
    void OnAdd();
    // Puts a replaced file back: the entry (its backup, the file).
    void OnRestore();
    // The restore rule for target, the file in use now, and its backup as
    // this family's scheduler names it (or as the journal names it, where
    // that cannot be had). A target that is gone gets its backup copied back
    // at once, on Yes.
    void RestoreFile(const CString& target, const CString& journaledBackup = CString());
    void OnRemove();
    // Shows the rule's refusal, or appends the entry it accepted and the
    // entry's row, with both paths and both version texts.
    void AddEntry(const AddDecision& decision);
    // The file-open dialog over the system files, starting in initialFolder
    // where it names one; false when cancelled.
    bool BrowseForFile(const char* title, const CString& initialFolder, CString& path);
    void OnHelpButton();
    bool GetFileVersionText(const char* path, CString& text);
    // The entries this program adds to the system menu, once.
    void AddSystemEntries();
    // The tooltip of every control.
    void CreateToolTip();

    DialogServices m_services;
    bool m_systemEntriesAdded = false;
};
