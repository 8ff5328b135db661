// Where Windows keeps the renames and deletions queued for the next restart,
// as raw bytes, read and rewritten whole. The NT family keeps them in the
// REG_MULTI_SZ values PendingFileRenameOperations and
// PendingFileRenameOperations2 under
// HKLM\SYSTEM\CurrentControlSet\Control\Session Manager, the 9x family in the
// [rename] section of wininit.ini in the Windows directory. What the bytes
// mean is for schedule/restart_queue.h to say.
#pragma once

#include <string>

// The outcome of reading, parsing or rewriting a queue.
enum class QueueResult {
    kOk,            // done as asked; a parsed queue holds at least one operation
    kEmpty,         // nothing queued: the value, the file or the section is absent
                    // or holds no record; not an error
    kMalformed,     // the bytes are no queue: an odd byte count, a string or the
                    // list without its terminator, a source without a destination,
                    // bytes after the end of the list, a value of another type
                    // than REG_MULTI_SZ, a wininit line without its '='
    kTooLarge,      // more than kMaxQueueBytes: refused, not read
    kNoSuchRecord,  // a record to remove is out of range or named twice
    kChanged,       // the stored bytes are no longer those the rewrite was made
                    // from; nothing was written
    kSystemError,   // the system refused to open, read or write the store
};

// No genuine queue comes near this size; a larger one is refused unread.
constexpr unsigned long kMaxQueueBytes = 1024 * 1024;

enum class NtQueueValue { kPendingFileRenameOperations, kPendingFileRenameOperations2 };

// The registry value's name, as the system and the user know it.
inline const char* NtQueueValueName(NtQueueValue value)
{
    return value == NtQueueValue::kPendingFileRenameOperations2 ? "PendingFileRenameOperations2"
                                                                : "PendingFileRenameOperations";
}

// The 9x family's file, in the Windows directory.
constexpr char kWininitFileName[] = "wininit.ini";

class RestartQueueStore {
public:
    virtual ~RestartQueueStore() = default;
    // raw receives the value's bytes exactly as stored; kEmpty when there is no
    // such value.
    virtual QueueResult ReadNtValue(NtQueueValue value, std::string& raw) = 0;
    // Reads the value again and, only when it still holds the bytes read,
    // replaces them with rewritten in one write; kChanged otherwise (also when
    // the value has gone).
    virtual QueueResult RewriteNtValue(NtQueueValue value, const std::string& read,
                                       const std::string& rewritten) = 0;
    // bytes receives wininit.ini exactly as stored; kEmpty when there is no
    // such file.
    virtual QueueResult ReadWininit(std::string& bytes) = 0;
    // As RewriteNtValue, for wininit.ini. Meant for taking lines out: the file
    // is rewritten in place, which a shorter content can never fail for want
    // of disk space.
    virtual QueueResult RewriteWininit(const std::string& read, const std::string& rewritten) = 0;
};
