// What became of the replacements in the journal (schedule/restart_journal.h),
// judged from the files as they are now: told once at the start after the
// restart, and afresh in the history.
#pragma once

#include "framework/code_page.h"
#include "platform/clock.h"
#include "platform/file_system_ops.h"
#include "platform/journal_store.h"
#include "platform/message_boxes.h"
#include "platform/os_kind.h"
#include "platform/restart_queue_store.h"
#include "platform/version_texts.h"
#include "platform/wide_to_ansi.h"
#include "schedule/restart_journal.h"
#include "texts/texts.h"

#include <string>
#include <utility>
#include <vector>

struct JournalServices {
    JournalStore& store;
    Clock& clock;
    FileSystemOps& files;
    FileVersionTexts& versions;
    RestartQueueStore& queue;  // what still waits for the restart
    const WideToAnsi& wideToAnsi;
    const CodePage& codePage;
    MessageBoxes& boxes;
};

struct Judgement {
    EntryOutcome outcome;
    // The staged copy is still beside the target as it was made.
    bool stagedIsCopy = false;
};

// A file is the new (or the old) file when its size and last-write time are
// those journaled and, where a version text was journaled, it has that text.
// Not carried out: the target is the old file (and the staged copy, if it is
// still there, the new one); replaced: the target is the new file; put back:
// the old file at the target again, and the backup's name holds either file;
// target missing: no file at the target; changed since: anything else.
Judgement JudgeEntry(const JournalEntry& entry, FileSystemOps& files, FileVersionTexts& versions);

// The renames that wait in the restart queue of family (NT: both values;
// 9x: wininit.ini), by the names they were recorded with, as the queue
// keeps them.
class WaitingRenames {
public:
    WaitingRenames(OsKind family, RestartQueueStore& queue, const WideToAnsi& wideToAnsi);
    // False when a queue could not be read: nobody can say what waits.
    bool Known() const { return m_known; }
    // True when either of the entry's two renames waits.
    bool Wait(const ReplacementNames& names) const;

private:
    bool m_known = true;
    std::vector<std::pair<std::string, std::string>> m_renames;  // from, to
};

// At start, after the start-up gate: every entry not yet told whose renames
// no longer wait is judged, and its outcome is journaled, so that each is
// judged once. Replaced entries are quiet. When any other outcome is found,
// one box tells those entries, a line each (at most kToldLines, then how many
// more), with what each outcome means; when staged copies of entries not
// carried out are still there as made, the box asks whether to record their
// renames again (RecordAgain) and on Yes does so. Nothing happens while the
// queue cannot be read.
void TellWhatTheRestartDid(OsKind family, const JournalServices& services);
const int kToldLines = 10;

struct HistoryRow {
    size_t entry;  // in History::contents.entries
    EntryOutcome outcome;
};

struct History {
    CString location;
    bool read = false;
    JournalContents contents;
    std::vector<HistoryRow> rows;  // newest first
};

// Every entry of the journal, newest first, with its outcome judged afresh:
// cancelled as told, waiting while its renames wait, else JudgeEntry's.
History ReadHistory(OsKind family, const JournalServices& services);
// The line under the history's list.
Message HistoryStatus(const History& history);
// The outcome's word in the history.
TextId OutcomeText(EntryOutcome outcome);
// "YYYY-MM-DD hh:mm:ss" of a plan's stamp.
CString HistoryTime(const JournalEntry& entry);
