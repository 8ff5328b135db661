#include "schedule/pending_replacements.h"

#include "schedule/replacement_names.h"
#include "texts/texts.h"

#include <utility>

namespace {
const char* StoreName(const PendingStore& store)
{
    return store.ntValue ? NtQueueValueName(*store.ntValue) : kWininitFileName;
}

// Tessera records a replacement of T as the backup rename T to B, then the
// rename of the staged copy S to T, both replacing, with B and S derived from
// T as the family's scheduler derives them. Names are compared as the file
// system takes them (IsSameFile). Texts that the ANSI code page could not
// write exactly, and names that cannot be read, name no file Tessera could
// have staged.
bool IsTesseraPair(const QueuedOperation& backup, const QueuedOperation& replace, bool nineX,
                   const PendingServices& services)
{
    if (backup.kind != QueuedKind::kRenameReplacing ||
        replace.kind != QueuedKind::kRenameReplacing || !backup.exactText || !replace.exactText)
        return false;
    const ReplacementNames names = nineX ? NineXReplacementNames(backup.from, services.codePage)
                                         : NtReplacementNames(backup.from);
    const auto same = [&services](const char* a, const char* b) {
        const FileIdentity first = services.files.IdentityOf(a);
        const FileIdentity second = services.files.IdentityOf(b);
        return !first.unknown && !second.unknown && IsSameFile(first, second);
    };
    return same(backup.to, names.backup) && same(replace.from, names.staged) &&
           same(replace.to, names.target);
}

// True when an operation other than the row's own two still uses its staged
// copy (another pair recorded for the same file under another spelling).
bool StagedCopyStillUsed(const PendingList& list, const PendingRow& row,
                         const PendingServices& services)
{
    const FileIdentity staged = services.files.IdentityOf(row.from);
    const auto names = [&](const CString& path) {
        return !path.IsEmpty() && IsSameFile(services.files.IdentityOf(path), staged);
    };
    for (size_t store = 0; store < list.stores.size(); ++store) {
        const std::vector<QueuedOperation>& operations = list.stores[store].queue.operations;
        for (size_t i = 0; i < operations.size(); ++i) {
            const bool own = store == row.store && (static_cast<int>(i) == row.operation ||
                                                    static_cast<int>(i) == row.operation + 1);
            if (!own && (names(operations[i].from) || names(operations[i].to)))
                return true;
        }
    }
    return false;
}

void AddRows(PendingList& list, size_t storeIndex, const PendingServices& services)
{
    const PendingStore& store = list.stores[storeIndex];
    const std::vector<QueuedOperation>& operations = store.queue.operations;
    for (size_t i = 0; i < operations.size(); ++i) {
        const QueuedOperation& operation = operations[i];
        PendingRow row{false, operation.kind, operation.from, operation.to, false, storeIndex,
                       static_cast<int>(i)};
        if (i + 1 < operations.size() &&
            IsTesseraPair(operation, operations[i + 1], !store.ntValue, services)) {
            row.tessera = true;
            row.to = operation.from;
            row.from = operations[++i].from;
            unsigned mode = 0;
            row.stagedExists = services.files.GetStatus(row.from, &mode);
        }
        list.rows.push_back(row);
    }
}
}  // namespace

PendingList ReadPendingList(OsKind osKind, const PendingServices& services)
{
    const FileSystemRun run(services.files);
    PendingList list;
    if (osKind == OS_NT) {
        for (NtQueueValue value : {NtQueueValue::kPendingFileRenameOperations,
                                   NtQueueValue::kPendingFileRenameOperations2}) {
            RestartQueue queue = ReadNtQueue(services.queue, value, services.wideToAnsi);
            list.stores.push_back(PendingStore{value, std::move(queue)});
        }
    } else if (osKind == OS_9X) {
        list.stores.push_back(PendingStore{std::nullopt, ReadWininitQueue(services.queue)});
    }
    for (const PendingStore& store : list.stores) {
        if (!store.queue.WasRead()) {
            list.result = store.queue.result;
            return list;
        }
        if (store.queue.result == QueueResult::kOk)
            list.result = QueueResult::kOk;
    }
    for (size_t i = 0; i < list.stores.size(); ++i)
        AddRows(list, i, services);
    return list;
}

Message PendingStatus(const PendingList& list)
{
    const char* failed = "";
    for (const PendingStore& store : list.stores) {
        if (store.queue.result == list.result) {
            failed = StoreName(store);
            break;
        }
    }
    switch (list.result) {
    case QueueResult::kOk: return {TextId::kPendingCount, {static_cast<int>(list.rows.size())}};
    case QueueResult::kEmpty: return {TextId::kPendingNone, {}};
    case QueueResult::kMalformed: return {TextId::kPendingMalformed, {failed}};
    case QueueResult::kTooLarge: return {TextId::kPendingTooLarge, {failed}};
    default: return {TextId::kPendingUnreadable, {failed}};
    }
}

CancelResult CancelPendingReplacement(const PendingList& list, size_t index,
                                      const PendingServices& services)
{
    if (index >= list.rows.size() || !list.rows[index].tessera)
        return CancelResult::kDeclined;
    const FileSystemRun run(services.files);
    const PendingRow& row = list.rows[index];
    const bool stagedUsed = StagedCopyStillUsed(list, row, services);
    CString question = FormatText(TextId::kCancelQuestion, {row.to});
    if (row.stagedExists && !stagedUsed)
        question += FormatText(TextId::kCancelAlsoDeletes, {row.from});
    if (services.boxes.Show(question, box::kYesNo | box::kIconQuestion) != box::kAnswerYes)
        return CancelResult::kDeclined;

    const PendingStore& store = list.stores[row.store];
    const std::string& read = store.queue.raw;
    const std::vector<int> records = {row.operation, row.operation + 1};
    std::string rewritten;
    QueueResult result = RemoveRecords(store.queue, records, rewritten);
    if (result == QueueResult::kOk)
        result = store.ntValue ? services.queue.RewriteNtValue(*store.ntValue, read, rewritten)
                               : services.queue.RewriteWininit(read, rewritten);
    if (result == QueueResult::kChanged) {
        services.boxes.Show(Text(TextId::kQueueChanged), box::kIconHand);
        return CancelResult::kChanged;
    }
    if (result != QueueResult::kOk) {
        services.boxes.Show(FormatText(TextId::kQueueNotRewritten, {StoreName(store)}),
                            box::kIconHand);
        return CancelResult::kNotRewritten;
    }
    if (services.journal)
        JournalCancelled(*services.journal, row.to, row.from);
    unsigned mode = 0;
    if (!stagedUsed && services.files.GetStatus(row.from, &mode) &&
        !services.files.RemoveFile(row.from)) {
        const char* staged = row.from;
        services.boxes.Show(FormatText(TextId::kStagedNotDeleted, {staged}), box::kIconHand);
        return CancelResult::kStagedLeft;
    }
    return CancelResult::kCancelled;
}
