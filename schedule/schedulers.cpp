#include "schedule/schedulers.h"

#include "framework/path_text.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_needs.h"
#include "schedule/restart_queue.h"
#include "schedule/schedule_report.h"

#include <set>
#include <string>
#include <vector>

namespace {
// The identities of one entry's names, in the order target, staged copy,
// backup: what tells two spellings of one file apart from two files.
struct EntryIdentities {
    FileIdentity names[3];

    EntryIdentities(const ReplacementNames& entry, FileSystemOps& files)
        : names{files.IdentityOf(entry.target), files.IdentityOf(entry.staged),
                files.IdentityOf(entry.backup)}
    {
    }
};

// Identities that a name may meet, looked up without comparing it to each.
class IdentitySet {
public:
    void Add(const FileIdentity& identity)
    {
        if (!identity.self.empty())
            m_selves.insert(identity.self);
        for (int i = 0; i < 2; ++i)
            m_names[i].insert(Key(identity.folder, identity.names[i]));
    }
    // A name whose text the code page could not write whole is known only by
    // its folder: it may be any name there.
    void AddFolderOf(const FileIdentity& identity) { m_folders.insert(identity.folder); }
    bool IsEmpty() const { return m_names[0].empty() && m_folders.empty(); }
    bool HoldsFolders() const { return !m_selves.empty(); }

    // True when identity is the same file as one added (IsSameFile).
    bool Holds(const FileIdentity& identity) const
    {
        return (!identity.self.empty() && m_selves.count(identity.self)) ||
               m_folders.count(identity.folder) ||
               m_names[0].count(Key(identity.folder, identity.names[0])) ||
               m_names[1].count(Key(identity.folder, identity.names[1]));
    }

private:
    static std::string Key(const std::string& folder, const std::string& name)
    {
        return std::to_string(folder.size()) + ' ' + folder + name;
    }

    std::set<std::string> m_selves;
    std::set<std::string> m_folders;
    std::set<std::string> m_names[2];
};

// The entry's name that is among the identities, or null.
const CString* NameAmong(const ReplacementNames& entry, const EntryIdentities& identities,
                         const IdentitySet& set)
{
    const CString* texts[3] = {&entry.target, &entry.staged, &entry.backup};
    for (int i = 0; i < 3; ++i) {
        if (set.Holds(identities.names[i]))
            return texts[i];
    }
    return nullptr;
}

// How a family records the renames that the next restart carries out, in the
// order in which they were recorded.
class RestartRenames {
public:
    virtual ~RestartRenames() = default;
    // Empty when the entry's renames may be recorded now; otherwise the
    // outcome text that says why not.
    virtual CString RecordingRefusal(const ReplacementNames&, const EntryIdentities&)
    {
        return CString();
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
    CString RecordingRefusal(const ReplacementNames& names,
                             const EntryIdentities& identities) override
    {
        const RestartQueue section = ReadWininitQueue(m_services.queue);
        if (!section.WasRead())
            return outcome::QueueUnreadable();
        IdentitySet keys;
        for (const QueuedOperation& line : section.operations) {
            if (!line.to.IsEmpty())
                keys.Add(m_services.files.IdentityOf(line.to));
        }
        if (keys.Holds(identities.names[2]))
            return outcome::AlreadyQueued(names.backup);
        if (keys.Holds(identities.names[0]))
            return outcome::AlreadyQueued(names.target);
        return CString();
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

// What the next restart will carry out: the operations queued before the run,
// read once, and the names of the entries this run has recorded so far. An
// operation on a name of the entry, or on a folder on the way to it, would
// run before or after the entry's own renames and could rename a file away
// with nothing put in its place.
class QueueGuard {
public:
    QueueGuard(const std::vector<RestartQueue>& queues, const CStringArray& targets,
               const SchedulerServices& services)
        : m_services(services)
    {
        for (const RestartQueue& queue : queues) {
            m_readable = m_readable && queue.WasRead();
            for (const QueuedOperation& operation : queue.operations) {
                for (const CString* name : {&operation.from, &operation.to}) {
                    if (name->IsEmpty())
                        continue;
                    const FileIdentity identity = services.files.IdentityOf(*name);
                    if (operation.exactText)
                        m_queued.Add(identity);
                    else
                        m_queued.AddFolderOf(identity);
                }
            }
        }
        for (int i = 0; i < targets.GetSize(); ++i)
            m_planTargets.Add(services.files.IdentityOf(targets[i]));
    }

    // Before staging: empty when the entry may be staged; otherwise the
    // outcome text.
    CString Refusal(const ReplacementNames& names, const EntryIdentities& identities) const
    {
        if (!m_readable)
            return outcome::QueueUnreadable();
        // The restart cannot move the target onto itself, nor onto a folder.
        if (IsSameFile(identities.names[2], identities.names[0]) ||
            !identities.names[2].self.empty())
            return outcome::BackupUnusable(names.backup);
        if (const CString* name = NameAmong(names, identities, m_queued))
            return outcome::AlreadyQueued(*name);
        const CString folder = QueuedFolderOnTheWay(names.target);
        if (!folder.IsEmpty())
            return outcome::AlreadyQueued(folder);
        return CString();
    }

    // After staging, against the plan itself: a name of an entry recorded
    // earlier in this run, or a backup that is the target of any entry, whose
    // file the backup rename would overwrite.
    CString RefusalWithinPlan(const ReplacementNames& names,
                              const EntryIdentities& identities) const
    {
        if (const CString* name = NameAmong(names, identities, m_recorded))
            return outcome::AlreadyQueued(*name);
        if (m_planTargets.Holds(identities.names[2]))
            return outcome::AlreadyQueued(names.backup);
        return CString();
    }

    // The entry's renames are in the queue from now on.
    void Recorded(const EntryIdentities& identities)
    {
        for (const FileIdentity& identity : identities.names)
            m_recorded.Add(identity);
    }

private:
    // The folder on the way to target (its root, then each folder below it)
    // that a queued operation renames or deletes, or empty: the restart would
    // carry out the entry's renames in whatever folder then stands there. The
    // folders above where a link leads are not on the way as spelled, so a
    // link counts as moved when any queued operation moves a folder.
    CString QueuedFolderOnTheWay(const CString& target) const
    {
        if (m_queued.IsEmpty())
            return CString();
        const PathSteps steps = PathSteps::Split(target, m_services.codePage);
        for (size_t i = 0; i < steps.names.size(); ++i) {
            const CString folder = steps.Leading(i);
            const FileIdentity identity = m_services.files.IdentityOf(folder);
            if (m_queued.Holds(identity) || (identity.link && m_queued.HoldsFolders()))
                return folder;
        }
        return CString();
    }

    const SchedulerServices& m_services;
    bool m_readable = true;
    IdentitySet m_queued;
    IdentitySet m_planTargets;
    IdentitySet m_recorded;
};

// Checks what the restart needs, stages the copy and records the backup
// rename, then the replacing rename; stops at the first step that fails and
// answers the outcome text. A copy made for an entry that the plan itself then
// refuses is deleted again. Without its replacing rename the backup rename
// would leave the target missing after the restart, so it is taken back.
CString ScheduleEntry(OsKind family, const char* source, const char* target,
                      const ReplacementNames& names, const SchedulerServices& services,
                      QueueGuard& guard, RestartRenames& renames)
{
    FileSystemOps& files = services.files;
    const EntryIdentities identities(names, files);
    CString refusal =
        RestartObstacle(family, target, names, identities.names[2], files, services.codePage);
    if (refusal.IsEmpty())
        refusal = guard.Refusal(names, identities);
    if (!refusal.IsEmpty())
        return refusal;
    if (!files.CopyWithoutOverwrite(source, names.staged))
        return outcome::CopyFailed(source, names.staged);
    refusal = guard.RefusalWithinPlan(names, identities);
    if (!refusal.IsEmpty()) {
        files.RemoveFile(names.staged);
        return refusal;
    }
    refusal = renames.RecordingRefusal(names, identities);
    if (!refusal.IsEmpty())
        return refusal;
    if (!renames.Record(names.target, names.backup))
        return outcome::BackupNotRecorded(names.target);
    guard.Recorded(identities);
    if (!renames.Record(names.staged, names.target)) {
        if (!renames.TakeBackBackup(names))
            return outcome::ReplaceNotRecordedTargetLeftAtBackup(names.staged, names.backup,
                                                                 names.target);
        return outcome::ReplaceNotRecorded(names.staged);
    }
    if (family == OS_NT && files.IsProtectedFile(names.target))
        return outcome::Scheduled() + outcome::MayBeRestored(names.target);
    return outcome::Scheduled();
}

// The plan through family's names and renames; one report box at the end.
void Schedule(OsKind family, const CStringArray& sources, const CStringArray& targets,
              const SchedulerServices& services, QueueGuard& guard, RestartRenames& renames)
{
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        ReplacementNames names;
        if (!FamilyReplacementNames(family, targets[i], services.files, services.codePage, names)) {
            report.AddBlock(sources[i], targets[i],
                            family == OS_NT
                                ? outcome::DriveUnknown(
                                      targets[i],
                                      PathSteps::Split(targets[i], services.codePage).Drive())
                                : outcome::TargetNotFound(targets[i]));
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
