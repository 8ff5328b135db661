// The renames and deletions that Windows has already queued for the next
// restart, parsed from the raw bytes of their store (platform/
// restart_queue_store.h), each with its place in those bytes, so that given
// records can be taken out again with every other byte kept, in order.
#pragma once

#include "framework/cstring.h"
#include "platform/restart_queue_store.h"
#include "platform/wide_to_ansi.h"

#include <cstddef>
#include <string>
#include <vector>

enum class QueuedKind {
    kRename,           // fails at the restart when the destination exists
    kRenameReplacing,  // replaces an existing destination
    kDelete,           // removes the source; there is no destination
};

struct QueuedOperation {
    QueuedKind kind;
    // Displayable ANSI texts, without the \??\, '!' and *N prefixes (a share
    // as \\server\share); to is empty for a deletion.
    CString from;
    CString to;
    // False when a path holds characters that the ANSI code page cannot
    // write: the texts are then only fit to be shown.
    bool exactText;
    // The record's bytes in the store: for NT the pair of strings with both
    // terminators, for 9x the whole line with its line end.
    size_t offset;
    size_t length;
};

struct RestartQueue {
    // kOk, kEmpty, kMalformed or kTooLarge; from a store, also what it answered.
    QueueResult result = QueueResult::kEmpty;
    // In the order in which the restart carries them out; empty unless kOk.
    std::vector<QueuedOperation> operations;
    // The bytes parsed, for the removal functions and the store's rewrite.
    std::string raw;

    // True when the queue is known: it holds operations, or none at all.
    bool WasRead() const { return result == QueueResult::kOk || result == QueueResult::kEmpty; }
};

// NT family. raw is UTF-16LE: pairs of NUL-terminated strings (source, then
// destination) and one more NUL that ends the list; NULs after that are
// tolerated, anything else is not. A destination that begins with '!' (before
// or after a *N) is replaced when it exists; an empty destination deletes the
// source. Either path may begin with *N (N digits), then \??\.
RestartQueue ParseNtQueue(const std::string& raw, const WideToAnsi& converter);

// 9x family: the lines of every [rename] section (name in any case) of
// wininit.ini, in file order. Each holds destination=source, and replaces an
// existing destination; NUL (any case) as destination deletes the source.
// Repeated destinations are legal. Blank lines and ';' comments are kept but
// are no records; so are lines outside [rename].
RestartQueue ParseWininitQueue(const std::string& bytes);

// Read through the store, then parsed; what the store refuses with (kEmpty,
// kTooLarge, kMalformed, kSystemError) is passed on, with no operations.
RestartQueue ReadNtQueue(RestartQueueStore& store, NtQueueValue value, const WideToAnsi& converter);
RestartQueue ReadWininitQueue(RestartQueueStore& store);

// rewritten receives the queue's raw bytes without the given records
// (indices into its operations, in any order); every other byte stays, in
// order, so an NT list keeps its terminator. kOk, kNoSuchRecord, or the
// queue's own result when it was not read (malformed, too large, unreadable);
// rewritten is then left alone.
QueueResult RemoveRecords(const RestartQueue& queue, const std::vector<int>& records,
                          std::string& rewritten);
