// What the restart needs of an entry, checked before anything is staged. The
// restart carries out its renames with nobody watching: a record it cannot
// carry out fails silently at boot, so the report must not say "scheduled"
// for it.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "platform/file_system_ops.h"
#include "platform/os_kind.h"
#include "schedule/replacement_names.h"
#include "texts/texts.h"

#include <optional>

// The longest name the restart's renames take: MoveFileExA refuses a longer
// one, and the 9x start-up knows no longer path.
const int kRestartNameLimit = 259;

// Why the entry is refused, or nothing when the restart can do its part, checked in this order: every name of the entry fits
// kRestartNameLimit; on 9x the target's file name is its own short name; the
// target is not on the network; on NT the target (and a file under the
// backup name, which the backup rename replaces) may be renamed. target is
// the entry's target as the plan holds it, names as family's scheduler names
// its files, backup what the file system makes of names.backup.
std::optional<Message> RestartObstacle(OsKind family, const char* target, const ReplacementNames& names,
                        const FileIdentity& backup, FileSystemOps& files, const CodePage& codePage);
