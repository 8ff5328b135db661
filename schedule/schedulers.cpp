#include "schedule/schedulers.h"

#include "framework/path_text.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_queue.h"
#include "schedule/schedule_report.h"

#include <vector>

namespace {
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
    WininitRenames(FileSystemOps& files, RestartQueueStore& queue, const CodePage& codePage)
        : m_files(files), m_queue(queue), m_codePage(codePage) {}
    // A key that already stands in the section would keep its place and only
    // get a new value: the pair's lines would then not run in their order.
    // The section is read again here, so that lines written earlier in the
    // same run count as well.
    CString RecordingRefusal(const ReplacementNames& names) override
    {
        const RestartQueue section = ReadWininitQueue(m_queue);
        if (!section.WasRead())
            return outcome::QueueUnreadable();
        for (const QueuedOperation& line : section.operations) {
            for (const CString* key : {&names.backup, &names.target}) {
                if (IsSamePath(line.to, *key, m_codePage))
                    return outcome::AlreadyQueued(*key);
            }
        }
        return CString();
    }
    // A line of the section reads destination=source.
    bool Record(const char* from, const char* to) override
    {
        return m_files.WriteProfileEntry(kSection, to, from, kWininitFileName);
    }
    // A null value removes the line (as WritePrivateProfileStringA does).
    bool TakeBackBackup(const ReplacementNames& names) override
    {
        return m_files.WriteProfileEntry(kSection, names.backup, nullptr, kWininitFileName);
    }

private:
    static constexpr const char* kSection = "rename";
    FileSystemOps& m_files;
    RestartQueueStore& m_queue;
    const CodePage& m_codePage;
};

// What the next restart will already carry out, read once before the run.
// An operation on a name of the entry would run before or after the entry's
// own renames and could rename a file away with nothing put in its place.
class QueueGuard {
public:
    QueueGuard(const std::vector<RestartQueue>& queues, const SchedulerServices& services)
        : m_services(services)
    {
        for (const RestartQueue& queue : queues) {
            m_readable = m_readable && queue.WasRead();
            m_operations.insert(m_operations.end(), queue.operations.begin(),
                                queue.operations.end());
        }
    }

    // Empty when the entry may be staged; otherwise the outcome text.
    CString Refusal(const ReplacementNames& names) const
    {
        if (!m_readable)
            return outcome::QueueUnreadable();
        // The restart cannot move the target onto itself, nor onto a folder.
        unsigned mode = 0;
        if (IsSamePath(names.backup, names.target, m_services.codePage) ||
            (m_services.files.GetStatus(names.backup, &mode) &&
             (mode & FileSystemOps::kModeDirectory)))
            return outcome::BackupUnusable(names.backup);
        for (const QueuedOperation& operation : m_operations) {
            for (const CString* name : {&names.target, &names.staged, &names.backup}) {
                if (IsSamePath(operation.from, *name, m_services.codePage) ||
                    (!operation.to.IsEmpty() &&
                     IsSamePath(operation.to, *name, m_services.codePage)))
                    return outcome::AlreadyQueued(*name);
            }
        }
        return CString();
    }

private:
    const SchedulerServices& m_services;
    bool m_readable = true;
    std::vector<QueuedOperation> m_operations;
};

// Stages the copy and records the backup rename, then the replacing rename;
// stops at the first step that fails and answers the outcome text. Without
// its replacing rename the backup rename would leave the target missing after
// the restart, so it is taken back.
CString ScheduleEntry(const char* source, const ReplacementNames& names, FileSystemOps& files,
                      const QueueGuard& guard, RestartRenames& renames)
{
    CString refusal = guard.Refusal(names);
    if (!refusal.IsEmpty())
        return refusal;
    if (!files.CopyWithoutOverwrite(source, names.staged))
        return outcome::CopyFailed(source, names.staged);
    refusal = renames.RecordingRefusal(names);
    if (!refusal.IsEmpty())
        return refusal;
    if (!renames.Record(names.target, names.backup))
        return outcome::BackupNotRecorded(names.target);
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
    const QueueGuard guard(
        {ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations,
                     services.wideToAnsi),
         ReadNtQueue(services.queue, NtQueueValue::kPendingFileRenameOperations2,
                     services.wideToAnsi)},
        services);
    MoveAtRestartRenames renames(services.files);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        const ReplacementNames names = NtReplacementNames(targets[i]);
        report.AddBlock(sources[i], names.target,
                        ScheduleEntry(sources[i], names, services.files, guard, renames));
    }
    report.Show(services.boxes);
}

void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    const QueueGuard guard({ReadWininitQueue(services.queue)}, services);
    WininitRenames renames(services.files, services.queue, services.codePage);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        CString shortTarget;
        if (!services.files.GetShortPath(targets[i], shortTarget)) {
            report.AddBlock(sources[i], targets[i], outcome::TargetNotFound(targets[i]));
            continue;
        }
        const ReplacementNames names = NineXReplacementNames(shortTarget, services.codePage);
        report.AddBlock(sources[i], names.target,
                        ScheduleEntry(sources[i], names, services.files, guard, renames));
    }
    report.Show(services.boxes);
}
