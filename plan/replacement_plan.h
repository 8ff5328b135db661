// The replacement plan: the rules by which a pair enters the plan (add) and
// leaves it again into the two fields (remove). The plan's data lives in the
// main dialog; the rules reach the dialog's exchange, list and version lookup
// through PlanDialog.
#pragma once

#include "framework/cstring.h"
#include "framework/cstringarray.h"
#include "framework/path_text.h"
#include "platform/file_system_ops.h"
#include "platform/message_boxes.h"

// A list cell is handed to the control from a buffer of 260 bytes. The add
// refuses a source or target path longer than this (as a file whose status
// cannot be read), so every cell text the rules hand over fits such a buffer.
const int kCellTextLimit = 259;

// What the rules need of the main dialog.
class PlanDialog {
public:
    virtual ~PlanDialog() = default;
    // The dialog's data exchange: true copies the fields' texts into the
    // strings of PlanState, false copies the strings into the fields.
    virtual void UpdateData(bool saveAndValidate) = 0;
    // The version text of a file (the dialog's GetFileVersionText).
    virtual bool GetFileVersionText(const char* path, CString& text) = 0;
    // The list's rows: row i shows entry i in four cells (source, its version,
    // target, its version).
    virtual int GetRowCount() = 0;
    // Answers the new row's index, or -1 when no row could be inserted.
    virtual int InsertRow(int index, const char* sourceCell) = 0;
    virtual void SetCellText(int row, int column, const char* text) = 0;
    virtual int GetSelectedRow() = 0;  // the first selected row, or -1
    virtual void DeleteRow(int row) = 0;
    virtual void SelectRow(int row) = 0;  // selected and focused
};

// The plan's data and the two fields' strings, all owned by the main dialog.
struct PlanState {
    CString& source;        // m_strSource
    CString& targetFolder;  // m_strTargetFolder
    CStringArray& sources;  // m_sources
    CStringArray& targets;  // m_targets, parallel to m_sources
};

// OnAdd: checks the fields and appends the pair, or shows why not. Paths are
// split in codePage.
void AddToPlan(PlanState& plan, PlanDialog& dialog, FileSystemOps& files, const CodePage& codePage,
               MessageBoxes& boxes);
// OnRemove: moves the selected entry back into the fields.
void RemoveFromPlan(PlanState& plan, PlanDialog& dialog, const CodePage& codePage);
