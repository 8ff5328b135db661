// The journal of Tessera's replacements (platform/journal_store.h): every
// pair a commit scheduled, and what became of it at the restart, as the next
// start found it. A text file in the system's code page, for the
// administrator to read in Notepad. It is data, not configuration: nothing
// Tessera decides depends on it.
//
// One line each, ending in CR LF, its fields split by tabs (no file name holds
// a tab); the last field is the CRC-32 of the bytes before the tab that
// precedes it, in eight hex digits. A line that does not match its CRC (torn
// by a crash, or edited by hand) is skipped and never trusted, and so is a
// line of any other form. Lines that begin with ';' are the heading.
//
//   PLAN  N  scheduled  FAMILY  TARGET  STAGED  BACKUP
//                       NEW-SIZE  NEW-TIME  NEW-VERSION  OLD-SIZE  OLD-TIME  OLD-VERSION  CRC
//   PLAN  N  OUTCOME  WHEN  CRC
//
// PLAN is the local time of the commit, "YYYY-MM-DD hh:mm:ss.mmm", and names
// the plan; N is the entry's place in the plan, from 1; FAMILY is NT or 9x.
// The three names are exactly those the scheduler recorded. NEW is the staged
// copy (the source's size and last-write time: a copy keeps them), OLD the
// target as it was at the commit; a size in bytes, a time in UTC
// ("YYYY-MM-DDThh:mm:ss.fffffffZ") and the version text, empty where there is
// none. OUTCOME is what became of entry N of PLAN, as judged at WHEN (local
// time); the last such line counts.
#pragma once

#include "framework/cstring.h"
#include "platform/clock.h"
#include "platform/file_system_ops.h"
#include "platform/journal_store.h"
#include "platform/os_kind.h"
#include "schedule/replacement_names.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The journal grows to this size at most, less the plan last written: the
// oldest plans are dropped first.
constexpr unsigned long kJournalLimit = 256 * 1024;
// What is read of it: its end, so that a file grown by other hands is read no
// further back than this (the first line read is then torn, and skipped).
constexpr unsigned long kJournalReadLimit = 1024 * 1024;

// What tells a file's content apart without reading its bytes.
struct JournalFacts {
    FileFacts file;
    CString version;  // empty where the file has none
};

enum class EntryOutcome {
    kPending,        // nothing told yet (never written as an outcome)
    kReplaced,       // the target is the new file
    kNotCarriedOut,  // the target is still the old file
    kTargetMissing,  // no file at the target
    kChanged,        // the target is neither: replaced again since the restart
    kPutBack,        // the renames were done, and the old file is back at the target
    kCancelled,      // cancelled in the pending-operations dialog
};

struct JournalEntry {
    CString plan;
    int number = 0;
    OsKind family = OS_UNKNOWN;
    ReplacementNames names;
    JournalFacts newFile{};
    JournalFacts oldFile{};
    // The last outcome the journal tells of it; kPending while none is told.
    EntryOutcome told = EntryOutcome::kPending;
};

struct JournalContents {
    std::vector<JournalEntry> entries;  // in the order written
    int skipped = 0;                    // lines not trusted
};

JournalContents ParseJournal(const std::string& bytes);

// The scheduled line of entry; none when a name holds a control character,
// which no line could keep exactly.
std::optional<std::string> ScheduledLine(const JournalEntry& entry);
std::string ToldLine(const JournalEntry& entry, EntryOutcome outcome, const CString& when);
// Fields already joined by tabs as a line: the tab, the CRC and the line end
// added.
std::string SealedJournalLine(const std::string& fields);
// "YYYY-MM-DD hh:mm:ss.mmm".
CString JournalStamp(const LocalTime& time);
// What a version text becomes in a line: control characters become spaces.
CString JournalVersionText(const char* version);
// A FILETIME as the journal writes it, and back; false for any other text.
CString FileTimeText(unsigned long long ticks);
bool ParseFileTimeText(std::string_view text, unsigned long long& ticks);
// Two last-write times of one content: equal, or an hour apart, as a FAT
// volume reports its local times once daylight saving time has begun or ended.
bool SameWriteTime(unsigned long long a, unsigned long long b);
// A file's facts now against those journaled: the same size, the same
// last-write time by SameWriteTime.
bool SameFacts(const FileFacts& now, const FileFacts& journaled);

// The bytes without the oldest plans (with the lines that tell of them) and
// without lines not trusted, so that what is kept fits within budget.
std::string TrimmedJournal(const std::string& bytes, unsigned long budget);

// A name as the restart queue keeps it, once its parser has read it back:
// MoveFileExA records the system's form of a full path, without a \\?\ or
// \\.\ prefix (a share as \\server\share), and the schedulers hand it names
// already full and long. wininit.ini keeps names as written.
std::string NameAsQueued(const char* name);

// Where a run writes to the journal, and the clock its lines are stamped by.
struct JournalAccess {
    JournalStore& store;
    Clock& clock;
};

// Adds lines at the end, with the heading when the file is new. When the file
// would grow past kJournalLimit it is first rewritten without its oldest
// plans, down to three quarters of the limit. False unless every line was
// written.
bool AppendToJournal(JournalStore& store, const std::string& lines);

// A replacement cancelled before the restart: the newest entry not yet told
// whose target and staged copy have these names, as the queue keeps them
// (NameAsQueued), is told cancelled.
void JournalCancelled(const JournalAccess& journal, const char* target, const char* staged);
