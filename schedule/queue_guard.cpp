#include "schedule/queue_guard.h"

#include "framework/path_text.h"

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
    if (set.Holds(identities.target))
        return &entry.target;
    if (set.Holds(identities.staged))
        return &entry.staged;
    return set.Holds(identities.backup) ? &entry.backup : nullptr;
}
}  // namespace

void IdentitySet::Add(const FileIdentity& identity)
{
    m_unknown = m_unknown || identity.unknown;
    if (!identity.self.empty())
        m_selves.insert(identity.self);
    m_namesByLocale.insert(Key(identity.folder, identity.restFoldedByLocale));
    m_namesByUpper.insert(Key(identity.folder, identity.restFoldedByUpper));
    m_holdsFolders = m_holdsFolders || identity.directory;
}

void IdentitySet::AddFolderOf(const FileIdentity& identity)
{
    m_unknown = m_unknown || identity.unknown;
    m_folders.insert(identity.folder);
    m_holdsFolders = true;
}

bool IdentitySet::Holds(const FileIdentity& identity) const
{
    if (identity.unknown || m_unknown)
        return !IsEmpty();
    return (!identity.self.empty() && m_selves.count(identity.self)) ||
           m_folders.count(identity.folder) ||
           m_namesByLocale.count(Key(identity.folder, identity.restFoldedByLocale)) ||
           m_namesByUpper.count(Key(identity.folder, identity.restFoldedByUpper));
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
                m_readable = m_readable && !identity.unknown;
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

std::optional<Message> QueueGuard::Refusal(const ReplacementNames& names,
                                           const EntryIdentities& identities) const
{
    if (!m_readable)
        return Message{TextId::kQueueUnreadable, {}};
    // The restart cannot move the target onto itself, nor onto a folder.
    if (IsSameFile(identities.backup, identities.target) || identities.backup.directory)
        return Message{TextId::kBackupUnusable, {names.backup}};
    if (const CString* name = NameAmong(names, identities, m_queued))
        return Message{TextId::kAlreadyQueued, {*name}};
    const CString folder = QueuedFolderOnTheWay(names.target);
    if (!folder.IsEmpty())
        return Message{TextId::kAlreadyQueued, {folder}};
    return std::nullopt;
}

std::optional<Message> QueueGuard::RefusalWithinPlan(const ReplacementNames& names,
                                                     const EntryIdentities& identities) const
{
    if (const CString* name = NameAmong(names, identities, m_recorded))
        return Message{TextId::kAlreadyQueued, {*name}};
    if (m_planTargets.Holds(identities.backup))
        return Message{TextId::kAlreadyQueued, {names.backup}};
    return std::nullopt;
}

void QueueGuard::Recorded(const EntryIdentities& identities)
{
    for (const FileIdentity* identity : {&identities.target, &identities.staged, &identities.backup})
        m_recorded.Add(*identity);
}

// The folder on the way to target (its root, then each folder below it) that
// a queued operation renames or deletes, or empty: the restart would carry out
// the entry's renames in whatever folder then stands there. The folders above
// where a link leads are not on the way as spelled, so a link counts as moved
// when any queued operation moves a folder; a target that cannot be read may
// lie below any folder.
CString QueueGuard::QueuedFolderOnTheWay(const CString& target) const
{
    if (m_queued.IsEmpty())
        return CString();
    const PathSteps steps = PathSteps::Split(target, m_services.codePage);
    if (!steps.Readable())
        return target;
    for (size_t i = 0; i < steps.names.size(); ++i) {
        const CString folder = steps.Leading(i);
        const FileIdentity identity = m_services.files.IdentityOf(folder);
        if (m_queued.Holds(identity) || (identity.link && m_queued.HoldsFolders()))
            return folder;
    }
    return CString();
}
