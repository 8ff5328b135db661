#include "schedule/schedulers.h"

#include "framework/path_text.h"
#include "schedule/queue_guard.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_needs.h"
#include "schedule/restart_queue.h"
#include "schedule/schedule_report.h"

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
    virtual bool Record(const char* from, const char* to) = 0;
    // Undoes the effect of the entry's recorded backup rename, so that the
    // restart leaves the target where it is.
    virtual bool TakeBackBackup(const ReplacementNames& names) = 0;
};

class MoveAtRestartRenames : public RestartRenames {
public:
    explicit MoveAtRestartRenames(FileSystemOps& files) : m_files(files) {}
    bool Record(const char* from, const char* to) override
    {
        return m_files.MoveAtRestart(from, to);
    }
    // A record cannot be withdrawn, only followed by the rename back.
    bool TakeBackBackup(const ReplacementNames& names) override
    {
        return m_files.MoveAtRestart(names.backup, names.target);
    }

private:
    FileSystemOps& m_files;
};

class WininitRenames : public RestartRenames {
public:
    explicit WininitRenames(const SchedulerServices& services) : m_services(services) {}
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
        if (keys.Holds(identities.names[2]))
            return Message{TextId::kAlreadyQueued, {names.backup}};
        if (keys.Holds(identities.names[0]))
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

private:
    static constexpr const char* kSection = "rename";
    const SchedulerServices& m_services;
};

// Checks what the restart needs, stages the copy and records the backup
// rename, then the replacing rename; stops at the first step that fails. A
// copy made for an entry that the plan itself then refuses is deleted again.
// Without its replacing rename the backup rename would leave the target
// missing after the restart, so it is taken back.
Outcome ScheduleEntry(OsKind family, const char* source, const char* target,
                      const ReplacementNames& names, const SchedulerServices& services,
                      QueueGuard& guard, RestartRenames& renames)
{
    FileSystemOps& files = services.files;
    const EntryIdentities identities(names, files);
    std::optional<Message> refusal =
        RestartObstacle(family, target, names, identities.names[2], files, services.codePage);
    if (!refusal)
        refusal = guard.Refusal(names, identities);
    if (refusal)
        return Refused(*refusal);
    if (!files.CopyWithoutOverwrite(source, names.staged))
        return Refused({TextId::kCopyFailed, {source, names.staged}});
    refusal = guard.RefusalWithinPlan(names, identities);
    if (refusal) {
        files.RemoveFile(names.staged);
        return Refused(*refusal);
    }
    refusal = renames.RecordingRefusal(names, identities);
    if (refusal)
        return Refused(*refusal);
    if (!renames.Record(names.target, names.backup))
        return Refused({TextId::kBackupNotRecorded, {names.target}});
    guard.Recorded(identities);
    if (!renames.Record(names.staged, names.target)) {
        Outcome outcome = Refused({TextId::kReplaceNotRecorded, {names.staged}});
        if (!renames.TakeBackBackup(names))
            outcome.lines.push_back({TextId::kPutBackAfterRestart, {names.backup, names.target}});
        return outcome;
    }
    Outcome outcome{true, {{TextId::kScheduled, {}}}};
    if (family == OS_NT && files.IsProtectedFile(names.target))
        outcome.lines.push_back({TextId::kMayBeRestored, {names.target}});
    return outcome;
}

// The plan through family's names and renames; one report box at the end.
void Schedule(OsKind family, const CStringArray& sources, const CStringArray& targets,
              const SchedulerServices& services, QueueGuard& guard, RestartRenames& renames)
{
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        ReplacementNames names;
        if (!FamilyReplacementNames(family, targets[i], services.files, services.codePage, names)) {
            // A target that cannot be read has no drive to name.
            const CString drive =
                PathSteps::Split(services.files.LongForm(targets[i]), services.codePage).Drive();
            report.AddBlock(sources[i], targets[i],
                            Refused(family == OS_NT && !drive.IsEmpty()
                                        ? Message{TextId::kDriveUnknown, {targets[i], drive}}
                                        : Message{TextId::kTargetNotFound, {targets[i]}}));
            continue;
        }
        // The 9x report names the target by the short name its lines use.
        report.AddBlock(sources[i], family == OS_9X ? names.target : targets[i],
                        ScheduleEntry(family, sources[i], targets[i], names, services, guard,
                                      renames));
    }
    report.Show(services.boxes);
}
}  // namespace

void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    const FileSystemRun run(services.files);
    QueueGuard guard(
        {ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations,
                     services.wideToAnsi),
         ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations2,
                     services.wideToAnsi)},
        targets, services);
    MoveAtRestartRenames renames(services.files);
    Schedule(OS_NT, sources, targets, services, guard, renames);
}

void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    const FileSystemRun run(services.files);
    QueueGuard guard({ReadWininitQueue(services.queue)}, targets, services);
    WininitRenames renames(services);
    Schedule(OS_9X, sources, targets, services, guard, renames);
}

void ScheduleReplacements(OsKind family, const CStringArray& sources, const CStringArray& targets,
                          const SchedulerServices& services)
{
    if (family == OS_NT)
        ScheduleReplaceNt(sources, targets, services);
    else if (family == OS_9X)
        ScheduleReplace9x(sources, targets, services);
}
