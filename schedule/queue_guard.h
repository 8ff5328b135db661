// What the next restart will already carry out, as the schedulers see it
// before they stage an entry: the operations queued before the run, read
// once, and the names of the entries this run has recorded so far. An
// operation on a name of the entry, or on a folder on the way to it, would run
// before or after the entry's own renames and could rename a file away with
// nothing put in its place. Names meet when the file system takes them to one
// file (IsSameFile).
#pragma once

#include "framework/cstringarray.h"
#include "platform/file_system_ops.h"
#include "schedule/replacement_names.h"
#include "schedule/restart_queue.h"
#include "schedule/schedulers.h"
#include "texts/texts.h"

#include <optional>

#include <set>
#include <string>
#include <vector>

// Identities that a name may meet, looked up without comparing it to each.
class IdentitySet {
public:
    void Add(const FileIdentity& identity);
    // A name whose text the code page could not write whole is known only by
    // its folder: it may be any name there, a folder among them.
    void AddFolderOf(const FileIdentity& identity);
    bool IsEmpty() const { return m_namesByLocale.empty() && m_folders.empty() && !m_unknown; }
    // True when an identity added may be a folder's.
    bool HoldsFolders() const { return m_holdsFolders || m_unknown; }
    // True when identity is the same file as one added (IsSameFile).
    bool Holds(const FileIdentity& identity) const;

private:
    bool m_unknown = false;
    std::set<std::string> m_selves;
    std::set<std::string> m_folders;
    std::set<std::string> m_namesByLocale;
    std::set<std::string> m_namesByUpper;
    bool m_holdsFolders = false;
};

class QueueGuard {
public:
    QueueGuard(const std::vector<RestartQueue>& queues, const CStringArray& targets,
               const SchedulerServices& services);

    // Before staging: why the entry may not be staged, or nothing.
    std::optional<Message> Refusal(const ReplacementNames& names,
                                   const EntryIdentities& identities) const;
    // After staging, against the plan itself: a name of an entry recorded
    // earlier in this run, or a backup that is the target of any entry, whose
    // file the backup rename would overwrite.
    std::optional<Message> RefusalWithinPlan(const ReplacementNames& names,
                                             const EntryIdentities& identities) const;
    // The entry's renames are in the queue from now on.
    void Recorded(const EntryIdentities& identities);

private:
    CString QueuedFolderOnTheWay(const CString& target) const;

    const SchedulerServices& m_services;
    bool m_readable = true;
    IdentitySet m_queued;
    IdentitySet m_planTargets;
    IdentitySet m_recorded;
};
