#include "schedule/schedulers.h"

#include "framework/path_text.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_queue.h"
#include "schedule/schedule_report.h"

#include <iterator>
#include <vector>

namespace {
// The names of one entry as the file system resolves them, in the order
// target, staged copy, backup; what tells two spellings of one file apart
// from two files.
struct CanonicalNames {
    CString names[3];

    CanonicalNames(const ReplacementNames& entry, FileSystemOps& files)
        : names{files.CanonicalName(entry.target), files.CanonicalName(entry.staged),
                files.CanonicalName(entry.backup)}
    {
    }
};

// The entry's name that is one of the given canonical names, or null.
const CString* NameAmong(const ReplacementNames& entry, const CanonicalNames& canonical,
                         const std::vector<CString>& names, const CodePage& codePage)
{
    const CString* texts[3] = {&entry.target, &entry.staged, &entry.backup};
    for (int i = 0; i < 3; ++i) {
        for (const CString& name : names) {
            if (IsSamePath(canonical.names[i], name, codePage))
                return texts[i];
        }
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
    virtual CString RecordingRefusal(const ReplacementNames&) { return CString(); }
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
    CString RecordingRefusal(const ReplacementNames& names) override
    {
        const RestartQueue section = ReadWininitQueue(m_services.queue);
        if (!section.WasRead())
            return outcome::QueueUnreadable();
        for (const CString* key : {&names.backup, &names.target}) {
            const CString canonical = m_services.files.CanonicalName(*key);
            for (const QueuedOperation& line : section.operations) {
                if (!line.to.IsEmpty() &&
                    IsSamePath(m_services.files.CanonicalName(line.to), canonical,
                               m_services.codePage))
                    return outcome::AlreadyQueued(*key);
            }
        }
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
// operation on a name of the entry would run before or after the entry's own
// renames and could rename a file away with nothing put in its place.
class QueueGuard {
public:
    QueueGuard(const std::vector<RestartQueue>& queues, const CStringArray& targets,
               const SchedulerServices& services)
        : m_services(services)
    {
        for (const RestartQueue& queue : queues) {
            m_readable = m_readable && queue.WasRead();
            for (const QueuedOperation& operation : queue.operations) {
                m_queued.push_back(Canonical(operation.from));
                if (!operation.to.IsEmpty())
                    m_queued.push_back(Canonical(operation.to));
            }
        }
        for (int i = 0; i < targets.GetSize(); ++i)
            m_planTargets.push_back(Canonical(targets[i]));
    }

    // Before staging: empty when the entry may be staged; otherwise the
    // outcome text.
    CString Refusal(const ReplacementNames& names, const CanonicalNames& canonical) const
    {
        if (!m_readable)
            return outcome::QueueUnreadable();
        // The restart cannot move the target onto itself, nor onto a folder.
        unsigned mode = 0;
        if (IsSamePath(canonical.names[2], canonical.names[0], m_services.codePage) ||
            (m_services.files.GetStatus(names.backup, &mode) &&
             (mode & FileSystemOps::kModeDirectory)))
            return outcome::BackupUnusable(names.backup);
        if (const CString* name = NameAmong(names, canonical, m_queued, m_services.codePage))
            return outcome::AlreadyQueued(*name);
        return CString();
    }

    // After staging, against the plan itself: a name of an entry recorded
    // earlier in this run, or a backup that is the target of any entry, whose
    // file the backup rename would overwrite.
    CString RefusalWithinPlan(const ReplacementNames& names, const CanonicalNames& canonical) const
    {
        if (const CString* name = NameAmong(names, canonical, m_recorded, m_services.codePage))
            return outcome::AlreadyQueued(*name);
        for (const CString& target : m_planTargets) {
            if (IsSamePath(canonical.names[2], target, m_services.codePage))
                return outcome::AlreadyQueued(names.backup);
        }
        return CString();
    }

    // The entry's renames are in the queue from now on.
    void Recorded(const CanonicalNames& canonical)
    {
        m_recorded.insert(m_recorded.end(), std::begin(canonical.names), std::end(canonical.names));
    }

private:
    CString Canonical(const char* path) const { return m_services.files.CanonicalName(path); }

    const SchedulerServices& m_services;
    bool m_readable = true;
    std::vector<CString> m_queued;
    std::vector<CString> m_planTargets;
    std::vector<CString> m_recorded;
};

// Stages the copy and records the backup rename, then the replacing rename;
// stops at the first step that fails and answers the outcome text. A copy
// made for an entry that the plan itself then refuses is deleted again.
// Without its replacing rename the backup rename would leave the target
// missing after the restart, so it is taken back.
CString ScheduleEntry(const char* source, const ReplacementNames& names, FileSystemOps& files,
                      QueueGuard& guard, RestartRenames& renames)
{
    const CanonicalNames canonical(names, files);
    CString refusal = guard.Refusal(names, canonical);
    if (!refusal.IsEmpty())
        return refusal;
    if (!files.CopyWithoutOverwrite(source, names.staged))
        return outcome::CopyFailed(source, names.staged);
    refusal = guard.RefusalWithinPlan(names, canonical);
    if (!refusal.IsEmpty()) {
        files.RemoveFile(names.staged);
        return refusal;
    }
    refusal = renames.RecordingRefusal(names);
    if (!refusal.IsEmpty())
        return refusal;
    if (!renames.Record(names.target, names.backup))
        return outcome::BackupNotRecorded(names.target);
    guard.Recorded(canonical);
    if (!renames.Record(names.staged, names.target)) {
        if (!renames.TakeBackBackup(names))
            return outcome::ReplaceNotRecordedTargetLeftAtBackup(names.staged, names.backup,
                                                                 names.target);
        return outcome::ReplaceNotRecorded(names.staged);
    }
    return outcome::Scheduled();
}
}  // namespace

void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    QueueGuard guard(
        {ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations,
                     services.wideToAnsi),
         ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations2,
                     services.wideToAnsi)},
        targets, services);
    MoveAtRestartRenames renames(services.files);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        ReplacementNames names;
        FamilyReplacementNames(OS_NT, targets[i], services.files, services.codePage, names);
        report.AddBlock(sources[i], targets[i],
                        ScheduleEntry(sources[i], names, services.files, guard, renames));
    }
    report.Show(services.boxes);
}

void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    QueueGuard guard({ReadWininitQueue(services.queue)}, targets, services);
    WininitRenames renames(services);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        ReplacementNames names;
        if (!FamilyReplacementNames(OS_9X, targets[i], services.files, services.codePage, names)) {
            report.AddBlock(sources[i], targets[i], outcome::TargetNotFound(targets[i]));
            continue;
        }
        report.AddBlock(sources[i], names.target,
                        ScheduleEntry(sources[i], names, services.files, guard, renames));
    }
    report.Show(services.boxes);
}
