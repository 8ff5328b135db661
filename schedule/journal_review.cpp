#include "schedule/journal_review.h"

#include "schedule/restart_queue.h"
#include "schedule/schedulers.h"

#include <optional>

namespace {
// The file at a name, its facts read once and compared with the new and the
// old file's; the version text is asked only where size and time match.
class FileAt {
public:
    FileAt(const char* path, FileSystemOps& files, FileVersionTexts& versions)
        : m_path(path), m_versions(versions), m_exists(files.GetFacts(path, m_facts))
    {
    }
    bool Is(const JournalFacts& facts) const
    {
        if (!m_exists || !SameFacts(m_facts, facts.file))
            return false;
        if (facts.version.IsEmpty())
            return true;
        CString version;
        return m_versions.VersionTextOf(m_path, version) &&
               JournalVersionText(version) == facts.version;
    }

private:
    const char* m_path;
    FileVersionTexts& m_versions;
    FileFacts m_facts{};
    bool m_exists;
};

// The line of the start box that tells of an entry.
Message ToldMessage(const JournalEntry& entry, const Judgement& judgement)
{
    const ReplacementNames& names = entry.names;
    switch (judgement.outcome) {
    case EntryOutcome::kNotCarriedOut:
        return {judgement.stagedIsCopy ? TextId::kToldNotCarriedOut
                                       : TextId::kToldNotCarriedOutNoCopy,
                {names.target}};
    case EntryOutcome::kTargetMissing: return {TextId::kToldTargetMissing, {names.target, names.backup}};
    case EntryOutcome::kPutBack: return {TextId::kToldPutBack, {names.target}};
    default: return {TextId::kToldChanged, {names.target}};
    }
}

struct Told {
    const JournalEntry* entry;
    Judgement judgement;
};

// The heading, a line per entry and what each outcome found means.
CString ToldText(const CString& heading, const std::vector<Told>& told, const CString& location,
                 bool journaled)
{
    CString text = heading + "\n\n";
    for (size_t i = 0; i < told.size() && i < static_cast<size_t>(kToldLines); ++i)
        text += FormatText(ToldMessage(*told[i].entry, told[i].judgement));
    if (told.size() > static_cast<size_t>(kToldLines))
        text += FormatText(TextId::kToldMore,
                           {static_cast<int>(told.size()) - kToldLines, location});
    const std::pair<EntryOutcome, TextId> advice[] = {
        {EntryOutcome::kNotCarriedOut, TextId::kAdviceNotCarriedOut},
        {EntryOutcome::kTargetMissing, TextId::kAdviceTargetMissing},
        {EntryOutcome::kChanged, TextId::kAdviceChanged},
        {EntryOutcome::kPutBack, TextId::kAdvicePutBack},
    };
    for (const auto& [outcome, meaning] : advice) {
        for (const Told& one : told) {
            if (one.judgement.outcome == outcome) {
                text += Text(meaning);
                break;
            }
        }
    }
    if (!journaled)
        text += FormatText(TextId::kToldNotJournaled, {location});
    return text;
}
}  // namespace

Judgement JudgeEntry(const JournalEntry& entry, FileSystemOps& files, FileVersionTexts& versions)
{
    const ReplacementNames& names = entry.names;
    unsigned mode = 0;
    if (!files.GetStatus(names.target, &mode))
        return {EntryOutcome::kTargetMissing};
    const FileAt target(names.target, files, versions);
    const bool stagedIsCopy = FileAt(names.staged, files, versions).Is(entry.newFile);
    const bool targetIsOld = target.Is(entry.oldFile);
    // Where the new and the old file look alike, the staged copy still there
    // says that nothing was renamed.
    if (targetIsOld && stagedIsCopy)
        return {EntryOutcome::kNotCarriedOut, true};
    if (target.Is(entry.newFile))
        return {EntryOutcome::kReplaced, stagedIsCopy};
    if (!targetIsOld)
        return {EntryOutcome::kChanged, stagedIsCopy};
    // The renames were done when the backup holds either file: Windows File
    // Protection, a restore or a copy has put the old file back since.
    const FileAt backup(names.backup, files, versions);
    if (backup.Is(entry.newFile) || backup.Is(entry.oldFile))
        return {EntryOutcome::kPutBack};
    return {EntryOutcome::kNotCarriedOut};
}

WaitingRenames::WaitingRenames(OsKind family, RestartQueueStore& queue,
                               const WideToAnsi& wideToAnsi)
{
    std::vector<RestartQueue> queues;
    if (family == OS_NT) {
        queues.push_back(
            ReadNtQueue(queue, NtQueueValue::kPendingFileRenameOperations, wideToAnsi));
        queues.push_back(
            ReadNtQueue(queue, NtQueueValue::kPendingFileRenameOperations2, wideToAnsi));
    } else if (family == OS_9X) {
        queues.push_back(ReadWininitQueue(queue));
    }
    for (const RestartQueue& read : queues) {
        m_known = m_known && read.WasRead();
        for (const QueuedOperation& operation : read.operations) {
            if (operation.kind != QueuedKind::kDelete)
                m_renames.emplace_back(std::string(operation.from), std::string(operation.to));
        }
    }
}

bool WaitingRenames::Wait(const ReplacementNames& names) const
{
    const std::string target = NameAsQueued(names.target);
    const std::string backup = NameAsQueued(names.backup);
    const std::string staged = NameAsQueued(names.staged);
    for (const auto& [from, to] : m_renames) {
        if ((from == target && to == backup) || (from == staged && to == target))
            return true;
    }
    return false;
}

void TellWhatTheRestartDid(OsKind family, const JournalServices& services)
{
    std::string bytes;
    if (!services.store.Read(kJournalReadLimit, bytes) || bytes.empty())
        return;
    const JournalContents journal = ParseJournal(bytes);
    std::vector<const JournalEntry*> untold;
    for (const JournalEntry& entry : journal.entries) {
        if (entry.told == EntryOutcome::kPending)
            untold.push_back(&entry);
    }
    if (untold.empty())
        return;
    const WaitingRenames waiting(family, services.queue, services.wideToAnsi);
    if (!waiting.Known())
        return;

    std::vector<Told> told;
    std::vector<JournalEntry> again;
    std::string lines;
    {
        const FileSystemRun run(services.files);
        const CString when = JournalStamp(services.clock.Now());
        for (const JournalEntry* entry : untold) {
            if (waiting.Wait(entry->names))
                continue;
            const Judgement judgement = JudgeEntry(*entry, services.files, services.versions);
            lines += ToldLine(*entry, judgement.outcome, when);
            if (judgement.outcome == EntryOutcome::kReplaced)
                continue;
            told.push_back({entry, judgement});
            if (judgement.outcome == EntryOutcome::kNotCarriedOut && judgement.stagedIsCopy &&
                entry->family == family)
                again.push_back(*entry);
        }
    }
    const bool journaled = lines.empty() || AppendToJournal(services.store, lines);
    if (told.empty())
        return;
    const CString heading = FormatText(TextId::kToldHeading, {static_cast<int>(told.size())});
    CString text = ToldText(heading, told, services.store.Location(), journaled);
    if (again.empty()) {
        services.boxes.ShowLong(text, heading, box::kOk | box::kIconExclamation);
        return;
    }
    const CString ask = FormatText(TextId::kAskRecordAgain, {static_cast<int>(again.size())});
    const unsigned question = box::kYesNo | box::kIconQuestion;
    int answer = services.boxes.ShowLong(text + "\n" + ask, heading, question);
    // Read in the window that scrolls, the question is asked on its own.
    if (answer == box::kAnswerOk)
        answer = services.boxes.Show(ask, question);
    if (answer != box::kAnswerYes)
        return;
    const JournalAccess access{services.store, services.clock};
    RecordAgain(family, again,
                SchedulerServices{services.files, services.codePage, services.boxes,
                                  services.queue, services.wideToAnsi, &access});
}

History ReadHistory(OsKind family, const JournalServices& services)
{
    History history;
    history.location = services.store.Location();
    std::string bytes;
    history.read = services.store.Read(kJournalReadLimit, bytes);
    if (!history.read)
        return history;
    history.contents = ParseJournal(bytes);
    const std::vector<JournalEntry>& entries = history.contents.entries;
    const WaitingRenames waiting(family, services.queue, services.wideToAnsi);
    const FileSystemRun run(services.files);
    for (size_t i = entries.size(); i-- > 0;) {
        const JournalEntry& entry = entries[i];
        EntryOutcome outcome = EntryOutcome::kCancelled;
        if (entry.told != EntryOutcome::kCancelled)
            outcome = waiting.Wait(entry.names)
                          ? EntryOutcome::kPending
                          : JudgeEntry(entry, services.files, services.versions).outcome;
        history.rows.push_back({i, outcome});
    }
    return history;
}

Message HistoryStatus(const History& history)
{
    const CString& location = history.location;
    if (!history.read)
        return {TextId::kHistoryUnreadable, {location}};
    const int count = static_cast<int>(history.rows.size());
    const int skipped = history.contents.skipped;
    if (count == 0 && skipped == 0)
        return {TextId::kHistoryNone, {location}};
    if (skipped > 0)
        return {TextId::kHistorySkipped, {count, location, skipped}};
    return {TextId::kHistoryCount, {count, location}};
}

TextId OutcomeText(EntryOutcome outcome)
{
    switch (outcome) {
    case EntryOutcome::kReplaced: return TextId::kOutcomeReplaced;
    case EntryOutcome::kNotCarriedOut: return TextId::kOutcomeNotCarriedOut;
    case EntryOutcome::kTargetMissing: return TextId::kOutcomeTargetMissing;
    case EntryOutcome::kChanged: return TextId::kOutcomeChanged;
    case EntryOutcome::kPutBack: return TextId::kOutcomePutBack;
    case EntryOutcome::kCancelled: return TextId::kOutcomeCancelled;
    default: return TextId::kOutcomePending;
    }
}

CString HistoryTime(const JournalEntry& entry)
{
    return entry.plan.Left(19);
}
