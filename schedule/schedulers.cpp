#include "schedule/schedulers.h"

#include "framework/path_text.h"
#include "schedule/queue_guard.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_needs.h"
#include "schedule/restart_queue.h"
#include "schedule/schedule_report.h"

#include <optional>
#include <vector>

namespace {
// How a family records the renames that the next restart carries out, in the
// order in which they were recorded.
class RestartRenames {
public:
    virtual ~RestartRenames() = default;
    // Why the entry's renames may not be recorded now, or nothing.
    virtual std::optional<Message> RecordingRefusal(const ReplacementNames&,
                                                    const EntryIdentities&)
    {
        return std::nullopt;
    }
    // Counts the entry's two renames into what the store will hold; false,
    // counting nothing, when the store would then hold more than the program
    // reads back (kMaxQueueBytes): neither the next run nor the pending list
    // could read it.
    bool Reserve(const ReplacementNames& names)
    {
        const unsigned long bytes = RecordBytes(names);
        if (m_bytes + bytes > kMaxQueueBytes)
            return false;
        m_bytes += bytes;
        return true;
    }
    virtual bool Record(const char* from, const char* to) = 0;
    // Undoes the effect of the entry's recorded backup rename, so that the
    // restart leaves the target where it is.
    virtual bool TakeBackBackup(const ReplacementNames& names) = 0;

protected:
    explicit RestartRenames(unsigned long storedBytes) : m_bytes(storedBytes) {}
    // At most what the entry's two renames add to the store.
    virtual unsigned long RecordBytes(const ReplacementNames& names) const = 0;

private:
    unsigned long m_bytes;
};

class MoveAtRestartRenames : public RestartRenames {
public:
    MoveAtRestartRenames(const SchedulerServices& services, const RestartQueue& stored)
        : RestartRenames(static_cast<unsigned long>(stored.raw.size())), m_services(services)
    {
    }
    bool Record(const char* from, const char* to) override
    {
        return m_services.files.MoveAtRestart(from, to);
    }
    // The backup rename just recorded is the value's last record: it is taken
    // out again, so that the restart leaves the target, and any file already
    // at the backup name, where they are. Where the value cannot be rewritten,
    // the rename back is recorded instead, which keeps the target but not a
    // file that was at the backup name.
    bool TakeBackBackup(const ReplacementNames& names) override
    {
        const NtQueueValue value = NtQueueValue::kPendingFileRenameOperations;
        const RestartQueue queue = ReadNtQueue(m_services.queue, value, m_services.wideToAnsi);
        std::string rewritten;
        if (!queue.operations.empty()) {
            const QueuedOperation& last = queue.operations.back();
            if (last.kind == QueuedKind::kRenameReplacing &&
                NameAsQueued(last.from) == NameAsQueued(names.target) &&
                NameAsQueued(last.to) == NameAsQueued(names.backup) &&
                RemoveRecords(queue, {static_cast<int>(queue.operations.size()) - 1},
                              rewritten) == QueueResult::kOk &&
                m_services.queue.RewriteNtValue(value, queue.raw, rewritten) == QueueResult::kOk)
                return true;
        }
        return m_services.files.MoveAtRestart(names.backup, names.target);
    }

protected:
    // "\??\target", "!\??\backup", "\??\staged", "!\??\target", each with its
    // null, in UTF-16, and the list's closing null.
    unsigned long RecordBytes(const ReplacementNames& names) const override
    {
        const auto units = [this](const CString& name) {
            return 6ul + static_cast<unsigned long>(CharacterCount(name, m_services.codePage));
        };
        return 2 * (2 * units(names.target) + units(names.backup) + units(names.staged) + 1);
    }

private:
    const SchedulerServices& m_services;
};

class WininitRenames : public RestartRenames {
public:
    WininitRenames(const SchedulerServices& services, const RestartQueue& stored)
        : RestartRenames(static_cast<unsigned long>(stored.raw.size()) + kSectionHeaderBytes),
          m_services(services)
    {
    }
    // A key that already stands in the section would keep its place and only
    // get a new value: the pair's lines would then not run in their order.
    // The section is read again here, so that lines written meanwhile count.
    std::optional<Message> RecordingRefusal(const ReplacementNames& names,
                                            const EntryIdentities& identities) override
    {
        const RestartQueue section = ReadWininitQueue(m_services.queue);
        if (!section.WasRead())
            return Message{TextId::kQueueUnreadable, {}};
        IdentitySet keys;
        for (const QueuedOperation& line : section.operations) {
            if (!line.to.IsEmpty())
                keys.Add(m_services.files.IdentityOf(line.to));
        }
        if (keys.Holds(identities.backup))
            return Message{TextId::kAlreadyQueued, {names.backup}};
        if (keys.Holds(identities.target))
            return Message{TextId::kAlreadyQueued, {names.target}};
        return std::nullopt;
    }
    // A line of the section reads destination=source.
    bool Record(const char* from, const char* to) override
    {
        return m_services.files.WriteProfileEntry(kSection, to, from, kWininitFileName);
    }
    // A null value removes the line (as WritePrivateProfileStringA does).
    bool TakeBackBackup(const ReplacementNames& names) override
    {
        return m_services.files.WriteProfileEntry(kSection, names.backup, nullptr,
                                                  kWininitFileName);
    }

protected:
    // "backup=target" and "target=staged", each with its line break.
    unsigned long RecordBytes(const ReplacementNames& names) const override
    {
        return static_cast<unsigned long>(2 * names.target.GetLength() +
                                          names.backup.GetLength() +
                                          names.staged.GetLength() + 6);
    }

private:
    static constexpr const char* kSection = "rename";
    // "[rename]" and its line break, should the file have no such section.
    static constexpr unsigned long kSectionHeaderBytes = 10;
    const SchedulerServices& m_services;
};

// The plan of a run: entry i is (sources[i], targets[i]). Recorded again,
// entry i's staged copy is already there, made by an earlier run, and must
// still show the facts again[i] journaled for it; its source is that copy.
struct RunPlan {
    const CStringArray& sources;
    const CStringArray& targets;
    const std::vector<JournalEntry>* again = nullptr;

    const JournalEntry* Again(int i) const
    {
        return again ? &(*again)[static_cast<size_t>(i)] : nullptr;
    }
};

// True when the file at staged is the copy an earlier run made: its size and
// last-write time are those journaled.
bool IsCopyAsMade(const char* staged, const JournalEntry& made, FileSystemOps& files)
{
    FileFacts facts;
    return files.GetFacts(staged, facts) && SameFacts(facts, made.newFile.file);
}

// An entry of the plan on its way through the run.
struct RunEntry {
    ReplacementNames names;
    std::optional<EntryIdentities> identities;  // known once it has names
    std::optional<Outcome> outcome;             // once it is decided
};

// Everything that can be decided before anything is copied, for one entry:
// what the restart needs, what it will already do, what the plan's earlier
// entries will record and whether the store can hold the entry's renames.
// An entry that passes counts as recorded for the entries after it.
std::optional<Message> Decide(OsKind family, const char* target, RunEntry& entry,
                              const SchedulerServices& services, QueueGuard& guard,
                              RestartRenames& renames)
{
    FileSystemOps& files = services.files;
    const EntryIdentities& identities = entry.identities.emplace(entry.names, files);
    std::optional<Message> refusal = RestartObstacle(
        family, target, entry.names, identities, files.IdentityOf(target), files, services.codePage);
    if (!refusal)
        refusal = guard.Refusal(entry.names, identities);
    if (!refusal)
        refusal = guard.RefusalWithinPlan(entry.names, identities);
    if (!refusal)
        refusal = renames.RecordingRefusal(entry.names, identities);
    if (!refusal && !renames.Reserve(entry.names))
        refusal = Message{TextId::kQueueWouldOverflow, {}};
    if (!refusal)
        guard.Recorded(identities);
    return refusal;
}

// The outcome of a refusal that comes after the copy was made: the copy is
// deleted again, or the report names it.
Outcome Withdrawn(Outcome outcome, const ReplacementNames& names, FileSystemOps& files)
{
    if (!files.RemoveFile(names.staged))
        outcome.lines.push_back({TextId::kStagedNotRemoved, {names.staged}});
    return outcome;
}

// Stages the copy and records the backup rename, then the replacing rename;
// stops at the first step that fails. Without its replacing rename the backup
// rename would leave the target missing after the restart, so it is taken
// back.
Outcome Carry(OsKind family, const char* source, const JournalEntry* again,
              const RunEntry& entry, const SchedulerServices& services, RestartRenames& renames)
{
    FileSystemOps& files = services.files;
    const ReplacementNames& names = entry.names;
    if (again) {
        if (!IsCopyAsMade(names.staged, *again, files))
            return Refused({TextId::kStagedNotTheCopy, {names.staged}});
    } else if (!files.CopyWithoutOverwrite(source, names.staged)) {
        return Refused({TextId::kCopyFailed, {source, names.staged}});
    }
    if (const std::optional<Message> refusal = renames.RecordingRefusal(names, *entry.identities))
        return Withdrawn(Refused(*refusal), names, files);
    if (!renames.Record(names.target, names.backup))
        return Withdrawn(Refused({TextId::kBackupNotRecorded, {names.target}}), names, files);
    if (!renames.Record(names.staged, names.target)) {
        Outcome outcome = Refused({TextId::kReplaceNotRecorded, {names.staged}});
        if (!renames.TakeBackBackup(names))
            outcome.lines.push_back({TextId::kPutBackAfterRestart, {names.backup, names.target}});
        return Withdrawn(outcome, names, files);
    }
    Outcome outcome{true, {{TextId::kScheduled, {}}}};
    if (family == OS_NT && files.IsProtectedFile(names.target))
        outcome.lines.push_back({TextId::kMayBeRestored, {names.target}});
    return outcome;
}

// What the journal keeps of an entry scheduled: its names, and the facts of
// its staged copy and target (journaled already for an entry recorded again).
// False when they cannot be had.
bool JournalFactsOf(const RunPlan& plan, int i, const SchedulerServices& services,
                    JournalEntry& journaled)
{
    if (const JournalEntry* again = plan.Again(i)) {
        journaled.newFile = again->newFile;
        journaled.oldFile = again->oldFile;
        return true;
    }
    if (services.versions) {
        const PlanVersionTexts& versions = *services.versions;
        if (i < versions.sources.GetSize() && i < versions.targets.GetSize()) {
            journaled.newFile.version = versions.sources[i];
            journaled.oldFile.version = versions.targets[i];
        }
    }
    return services.files.GetFacts(journaled.names.staged, journaled.newFile.file) &&
           services.files.GetFacts(journaled.names.target, journaled.oldFile.file);
}

// One line for each entry scheduled, all in one write; the report's last line
// says when any could not be written. The entries are scheduled all the same.
void Journal(OsKind family, const RunPlan& plan, const std::vector<RunEntry>& entries,
             const SchedulerServices& services, ScheduleReport& report)
{
    if (!services.journal)
        return;
    const CString stamp = JournalStamp(services.journal->clock.Now());
    std::string lines;
    bool complete = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].outcome->scheduled)
            continue;
        JournalEntry journaled;
        journaled.plan = stamp;
        journaled.number = static_cast<int>(i) + 1;
        journaled.family = family;
        journaled.names = entries[i].names;
        std::optional<std::string> line;
        if (JournalFactsOf(plan, static_cast<int>(i), services, journaled))
            line = ScheduledLine(journaled);
        if (line)
            lines += *line;
        else
            complete = false;
    }
    JournalStore& store = services.journal->store;
    if ((!lines.empty() && !AppendToJournal(store, lines)) || !complete)
        report.AddNote({TextId::kJournalNotWritten, {store.Location()}});
}

// The plan through family's names and renames: every entry decided before the
// first copy, then the copies and renames of those that may go ahead; the
// journal; one report box at the end.
void Schedule(OsKind family, const RunPlan& plan, const SchedulerServices& services,
              QueueGuard& guard, RestartRenames& renames)
{
    const CStringArray& sources = plan.sources;
    const CStringArray& targets = plan.targets;
    std::vector<RunEntry> entries(static_cast<size_t>(sources.GetSize()));
    for (int i = 0; i < sources.GetSize(); ++i) {
        RunEntry& entry = entries[static_cast<size_t>(i)];
        // A target that cannot be read has no drive to name.
        if (!FamilyReplacementNames(family, targets[i], services.files, services.codePage,
                                    entry.names)) {
            const CString drive =
                PathSteps::Split(services.files.LongForm(targets[i]), services.codePage).Drive();
            entry.outcome = Refused(family == OS_NT && !drive.IsEmpty()
                                        ? Message{TextId::kDriveUnknown, {targets[i], drive}}
                                        : Message{TextId::kTargetNotFound, {targets[i]}});
        } else if (const std::optional<Message> refusal =
                     Decide(family, targets[i], entry, services, guard, renames))
            entry.outcome = Refused(*refusal);
    }
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        RunEntry& entry = entries[static_cast<size_t>(i)];
        const JournalEntry* again = plan.Again(i);
        if (!entry.outcome)
            entry.outcome = Carry(family, sources[i], again, entry, services, renames);
        else if (again && entry.identities && IsCopyAsMade(entry.names.staged, *again, services.files))
            entry.outcome = Withdrawn(*entry.outcome, entry.names, services.files);
        // The 9x report names the target by the short name its lines use.
        report.AddBlock(sources[i], family == OS_9X && entry.identities ? entry.names.target
                                                                         : targets[i],
                        *entry.outcome);
    }
    Journal(family, plan, entries, services, report);
    report.Show(services.boxes);
}

void ScheduleNt(const RunPlan& plan, const SchedulerServices& services)
{
    const FileSystemRun run(services.files);
    const RestartQueue stored = ReadNtQueue(
        services.queue, NtQueueValue::kPendingFileRenameOperations, services.wideToAnsi);
    QueueGuard guard({stored, ReadNtQueue(services.queue,
                                          NtQueueValue::kPendingFileRenameOperations2,
                                          services.wideToAnsi)},
                     plan.targets, services);
    MoveAtRestartRenames renames(services, stored);
    Schedule(OS_NT, plan, services, guard, renames);
}

void Schedule9x(const RunPlan& plan, const SchedulerServices& services)
{
    const FileSystemRun run(services.files);
    const RestartQueue stored = ReadWininitQueue(services.queue);
    QueueGuard guard({stored}, plan.targets, services);
    WininitRenames renames(services, stored);
    Schedule(OS_9X, plan, services, guard, renames);
}
}  // namespace

void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    ScheduleNt(RunPlan{sources, targets}, services);
}

void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    Schedule9x(RunPlan{sources, targets}, services);
}

void ScheduleReplacements(OsKind family, const CStringArray& sources, const CStringArray& targets,
                          const SchedulerServices& services)
{
    if (family == OS_NT)
        ScheduleReplaceNt(sources, targets, services);
    else if (family == OS_9X)
        ScheduleReplace9x(sources, targets, services);
}

// Each entry's staged copy stands as its source, so the report's blocks read
// "staged copy -> target".
void RecordAgain(OsKind family, const std::vector<JournalEntry>& entries,
                 const SchedulerServices& services)
{
    CStringArray staged;
    CStringArray targets;
    for (const JournalEntry& entry : entries) {
        staged.Add(entry.names.staged);
        targets.Add(entry.names.target);
    }
    const RunPlan plan{staged, targets, &entries};
    if (family == OS_NT)
        ScheduleNt(plan, services);
    else if (family == OS_9X)
        Schedule9x(plan, services);
}
