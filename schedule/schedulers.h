// The schedulers: a staged copy of every source beside its target, and the
// renames that the next restart carries out; one report box per run. Entry i
// of the plan is (sources[i], targets[i]); the plan is only read.
#pragma once

#include "framework/code_page.h"
#include "framework/cstringarray.h"
#include "platform/file_system_ops.h"
#include "platform/message_boxes.h"
#include "platform/os_kind.h"
#include "platform/restart_queue_store.h"
#include "platform/wide_to_ansi.h"
#include "schedule/restart_journal.h"

#include <vector>

// The version texts that the main dialog shows for each entry's source and
// target, which the journal keeps.
struct PlanVersionTexts {
    const CStringArray& sources;
    const CStringArray& targets;
};

// What a scheduler works with: the file services, the code page their paths
// are written in, where its report is shown, the operations the next
// restart will already carry out, and the journal.
struct SchedulerServices {
    FileSystemOps& files;
    const CodePage& codePage;
    MessageBoxes& boxes;
    RestartQueueStore& queue;
    const WideToAnsi& wideToAnsi;
    // Where every pair scheduled is journaled; none: nothing is. When the
    // journal cannot be written, the report's last line says so.
    const JournalAccess* journal = nullptr;
    // Recorded empty where none are given.
    const PlanVersionTexts* versions = nullptr;
};

// The scheduler of family (none for any other kind: nothing is staged,
// recorded or shown).
void ScheduleReplacements(OsKind family, const CStringArray& sources, const CStringArray& targets,
                          const SchedulerServices& services);

// Before an entry is staged, both look at what the restart needs
// (schedule/restart_needs.h) and at what it will already do:
// an entry is neither staged nor recorded, and its block says why, when a
// queued operation names its target, staged copy or backup, or a folder on the
// way to them, or when its backup name is the target itself or a folder.
// Names are one file when the file system takes them to one (IsSameFile),
// whatever road and letter case they are spelled with.
//
// NT family: "<target>.new" staged, renames recorded with move-at-restart.
void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services);
// 9x family: the short target's ".NEW" staged, rename lines in wininit.ini,
// written only while neither of the pair's keys stands in the section yet.
void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services);

// The renames of journal entries that a restart did not carry out, recorded
// again for their staged copies, still beside their targets as they were made
// (their size and last-write time say so): the checks of a commit, then the
// two renames, without the copy; one report box, and the entries recorded
// journaled as a new plan. A staged copy whose entry is refused is deleted,
// as a commit deletes the copy it made.
void RecordAgain(OsKind family, const std::vector<JournalEntry>& entries,
                 const SchedulerServices& services);
