#include "schedule/queue_guard.h"

#include "framework/path_text.h"
#include "schedule/schedule_report.h"

namespace {
// Built in one allocation: the guard makes several keys per entry.
std::string Key(const std::string& folder, const std::string& name)
{
    std::string key = std::to_string(folder.size());
    key.reserve(key.size() + 1 + folder.size() + name.size());
    key += ' ';
    key += folder;
    key += name;
    return key;
}

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
}  // namespace

void IdentitySet::Add(const FileIdentity& identity)
{
    if (!identity.self.empty())
        m_selves.insert(identity.self);
    for (int i = 0; i < 2; ++i)
        m_names[i].insert(Key(identity.folder, identity.names[i]));
}

bool IdentitySet::Holds(const FileIdentity& identity) const
{
    return (!identity.self.empty() && m_selves.count(identity.self)) ||
           m_folders.count(identity.folder) ||
           m_names[0].count(Key(identity.folder, identity.names[0])) ||
           m_names[1].count(Key(identity.folder, identity.names[1]));
}

QueueGuard::QueueGuard(const std::vector<RestartQueue>& queues, const CStringArray& targets,
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

CString QueueGuard::Refusal(const ReplacementNames& names, const EntryIdentities& identities) const
{
    if (!m_readable)
        return outcome::QueueUnreadable();
    // The restart cannot move the target onto itself, nor onto a folder.
    if (IsSameFile(identities.names[2], identities.names[0]) || !identities.names[2].self.empty())
        return outcome::BackupUnusable(names.backup);
    if (const CString* name = NameAmong(names, identities, m_queued))
        return outcome::AlreadyQueued(*name);
    const CString folder = QueuedFolderOnTheWay(names.target);
    if (!folder.IsEmpty())
        return outcome::AlreadyQueued(folder);
    return CString();
}

CString QueueGuard::RefusalWithinPlan(const ReplacementNames& names,
                                      const EntryIdentities& identities) const
{
    if (const CString* name = NameAmong(names, identities, m_recorded))
        return outcome::AlreadyQueued(*name);
    if (m_planTargets.Holds(identities.names[2]))
        return outcome::AlreadyQueued(names.backup);
    return CString();
}

void QueueGuard::Recorded(const EntryIdentities& identities)
{
    for (const FileIdentity& identity : identities.names)
        m_recorded.Add(identity);
}

// The folder on the way to target (its root, then each folder below it) that
// a queued operation renames or deletes, or empty: the restart would carry out
// the entry's renames in whatever folder then stands there. The folders above
// where a link leads are not on the way as spelled, so a link counts as moved
// when any queued operation moves a folder.
CString QueueGuard::QueuedFolderOnTheWay(const CString& target) const
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
