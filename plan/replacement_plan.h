// The replacement plan's rules: whether the pair in the two fields may enter
// the plan (add), whether a replaced file may be put back from its backup
// (restore), and what an entry puts back into the fields when it leaves
// (remove). The rules only decide; the main dialog keeps the entries, the rows
// and the fields, and shows the messages.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "framework/cstringarray.h"
#include "platform/file_system_ops.h"
#include "texts/texts.h"

#include <optional>

// A list cell is handed to the control from a buffer of 260 bytes. The add and
// the restore refuse a source or target path longer than this (as a file
// whose status cannot be read), so every cell text of an entry fits such a
// buffer.
const int kCellTextLimit = 259;

// The texts of the two fields: a source file and the folder of its target.
struct PlanFields {
    CString source;
    CString targetFolder;
};

// Why the entry is refused, or, when it is not, the entry to append.
struct AddDecision {
    std::optional<Message> refusal;
    CString source;
    CString target;

    bool Accepted() const { return !refusal; }
};

// Judges the fields against the entries so far (sources[i], targets[i]): the
// entry is the source and the file of its name in the target folder. Paths
// are split in codePage.
AddDecision DecideAdd(const PlanFields& fields, const CStringArray& sources,
                      const CStringArray& targets, FileSystemOps& files, const CodePage& codePage);

// A replaced file to be put back: the file as chosen, and the backup kept when
// it was replaced, as the running family's scheduler names it; empty when that
// scheduler names none. backupIsTarget: that name is the file's own (on 9x, a
// short name ending in .OLD).
struct RestoreRequest {
    CString target;
    CString backup;
    bool backupIsTarget;
};

// Judges the entry (backup, target) against the entries so far: committed,
// the restart's renames swap the file and its backup, so nothing is lost and
// a second restore swaps them back. The file and its backup must be two files
// and the file not yet a target of the plan.
AddDecision DecideRestore(const RestoreRequest& request, const CStringArray& sources,
                          const CStringArray& targets, FileSystemOps& files);

// A replaced file that is gone from its name (another program deleted it
// after the restart) leaves the name free: nothing holds it, so its backup
// can be copied back at once, without a restart. True when nothing is at
// target and backup is a file.
bool CanCopyBackupBack(const char* target, const char* backup, FileSystemOps& files);

// The fields that the entry (source, target) goes back into: its source, and
// the folder its target was built from.
PlanFields DecideRemove(const CString& source, const CString& target, const CodePage& codePage);
