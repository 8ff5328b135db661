// The operations already queued for the next restart, as the pending-operations
// dialog lists them: one row per queued operation, except that the two renames
// Tessera records for one replacement make one row. Only such a row can be
// cancelled; the operations of other programs are shown, never changed.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "platform/file_system_ops.h"
#include "platform/message_boxes.h"
#include "platform/os_kind.h"
#include "platform/restart_queue_store.h"
#include "platform/wide_to_ansi.h"
#include "schedule/restart_journal.h"
#include "schedule/restart_queue.h"
#include "texts/texts.h"

#include <cstddef>
#include <optional>
#include <vector>

struct PendingServices {
    RestartQueueStore& queue;
    const WideToAnsi& wideToAnsi;
    FileSystemOps& files;  // the staged copies: asked about, and deleted on cancel
    const CodePage& codePage;
    MessageBoxes& boxes;
    // Where a cancelled replacement's entry is told cancelled; none: nowhere.
    const JournalAccess* journal = nullptr;
};

// One store as it was read; its raw bytes are what a cancel rewrites from.
struct PendingStore {
    std::optional<NtQueueValue> ntValue;  // none for wininit.ini
    RestartQueue queue;
};

struct PendingRow {
    // A replacement that Tessera recorded: the backup rename of to followed by
    // the rename of the staged copy (from) to to.
    bool tessera;
    QueuedKind kind;  // of a single operation
    CString from;
    CString to;  // empty for a deletion
    bool stagedExists;  // a Tessera row's staged copy was there when listed
    size_t store;       // in PendingList::stores
    int operation;      // the row's first operation in that store's queue
};

struct PendingList {
    // kOk or kEmpty; else what the first store that could not be read
    // answered, and then there are no rows.
    QueueResult result = QueueResult::kEmpty;
    std::vector<PendingStore> stores;
    std::vector<PendingRow> rows;
};

// NT (osKind OS_NT): PendingFileRenameOperations, then ...2; 9x (OS_9X):
// wininit.ini; nothing for any other kind. Rows in the order of the restart.
PendingList ReadPendingList(OsKind osKind, const PendingServices& services);

// The line under the list: how many rows, or why there are none.
Message PendingStatus(const PendingList& list);

enum class CancelResult {
    kCancelled,     // both renames removed, the staged copy (if any) deleted
    kDeclined,      // No to the question, or no Tessera row: nothing was done
    kChanged,       // the store changed since it was listed: nothing was done
    kNotRewritten,  // the store could not be rewritten: nothing was done
    kStagedLeft,    // the renames were removed, the staged copy could not be deleted
};

// Asks, then removes the two renames of a Tessera row from the store as it
// was listed, in one rewrite that keeps every other byte, and only then
// deletes the staged copy: without its renames nothing uses it, while the
// renames without it would move the target to its backup name and leave
// none in its place. Every failure is explained in a box. Once the renames
// are removed, the replacement's journal entry is told cancelled.
CancelResult CancelPendingReplacement(const PendingList& list, size_t row,
                                      const PendingServices& services);
