// The scheduling report: one block per entry, in plan order, shown once in one
// box. A block is the header "<source>\n → <target>\n" (" -> " in English),
// one outcome text ending with "\n", and "\n".
#pragma once

#include "framework/cstring.h"
#include "platform/message_boxes.h"

class ScheduleReport {
public:
    void AddBlock(const char* source, const char* target, const CString& outcome);
    void Show(MessageBoxes& boxes) const { boxes.Show(m_text, box::kOk); }

private:
    CString m_text;
};

// The outcome texts.
namespace outcome {
CString Scheduled();
CString CopyFailed(const char* source, const char* staged);
CString BackupNotRecorded(const char* target);
CString ReplaceNotRecorded(const char* staged);
// The replacing rename failed and so did taking the backup rename back: the
// restart will leave the target under its backup name.
CString ReplaceNotRecordedTargetLeftAtBackup(const char* staged, const char* backup,
                                             const char* target);
// 9x family: the short form of the target could not be had.
CString TargetNotFound(const char* target);
// The restart will already carry out an operation on name.
CString AlreadyQueued(const char* name);
// The backup name is the target itself, or a folder the restart cannot replace.
CString BackupUnusable(const char* backup);
// What the restart will already carry out could not be read.
CString QueueUnreadable();

// What the restart cannot do, each with what the administrator can do.
// A name of the entry is longer than the restart's renames take.
CString NameTooLong(const char* name);
// 9x: the 9x start-up knows the target only by its short name, and would
// leave the new file under it.
CString LongFileName(const char* target, const char* shortTarget);
// The restart runs before the network.
CString OnNetwork(const char* target);
// NT: the drive letter stands for something the restart may not find.
CString DriveUnknown(const char* target, const char* drive);
// NT: neither the administrators nor the system may rename name.
CString RenameDenied(const char* name);
// NT: a line added to a scheduled block: Windows File Protection may put the
// original back.
CString MayBeRestored(const char* target);
}  // namespace outcome
