#include "schedule/schedulers.h"

#include "schedule/replacement_names.h"
#include "schedule/schedule_report.h"

namespace {
// How a family records the renames that the next restart carries out, in the
// order in which they were recorded.
class RestartRenames {
public:
    virtual ~RestartRenames() = default;
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
    explicit WininitRenames(FileSystemOps& files) : m_files(files) {}
    // A line of the section reads destination=source.
    bool Record(const char* from, const char* to) override
    {
        return m_files.WriteProfileEntry(kSection, to, from, kFile);
    }
    // A null value removes the line (as WritePrivateProfileStringA does).
    bool TakeBackBackup(const ReplacementNames& names) override
    {
        return m_files.WriteProfileEntry(kSection, names.backup, nullptr, kFile);
    }

private:
    static constexpr const char* kSection = "rename";
    static constexpr const char* kFile = "wininit.ini";  // in the Windows directory
    FileSystemOps& m_files;
};

// Stages the copy and records the backup rename, then the replacing rename;
// stops at the first step that fails and answers the outcome text. Without
// its replacing rename the backup rename would leave the target missing after
// the restart, so it is taken back.
CString ScheduleEntry(const char* source, const ReplacementNames& names, FileSystemOps& files,
                      RestartRenames& renames)
{
    if (!files.CopyWithoutOverwrite(source, names.staged))
        return outcome::CopyFailed(source, names.staged);
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
    MoveAtRestartRenames renames(services.files);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        const ReplacementNames names = NtReplacementNames(targets[i]);
        report.AddBlock(sources[i], names.target,
                        ScheduleEntry(sources[i], names, services.files, renames));
    }
    report.Show(services.boxes);
}

void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services)
{
    WininitRenames renames(services.files);
    ScheduleReport report;
    for (int i = 0; i < sources.GetSize(); ++i) {
        CString shortTarget;
        if (!services.files.GetShortPath(targets[i], shortTarget)) {
            report.AddBlock(sources[i], targets[i], outcome::TargetNotFound(targets[i]));
            continue;
        }
        const ReplacementNames names = NineXReplacementNames(shortTarget, services.codePage);
        report.AddBlock(sources[i], names.target,
                        ScheduleEntry(sources[i], names, services.files, renames));
    }
    report.Show(services.boxes);
}
