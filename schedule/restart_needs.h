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

// The longest name the restart's renames take: MoveFileExA converts a name to
// UTF-16 into room for MAX_PATH characters, the null included, and refuses a
// longer one; the 9x start-up knows no path longer in bytes.
const int kRestartNameLimit = 259;

// Why the entry is refused, or nothing when the restart can do its part,
// checked in this order: every name of the entry fits kRestartNameLimit (NT
// in characters, 9x in bytes); none of them is a link, whose rename Windows
// and the systems that imitate it carry out differently; the target's own
// name is one the code page writes; the target's name leads to the very file
// that was checked (checked: what the file system makes of the target as the
// plan holds it) and the staged copy and backup lie beside it; on 9x the
// target's file name is its own short name; the target is not on the network;
// on NT the target (and a file under the backup name, which the backup rename
// replaces) may be renamed. target is the entry's target as the plan holds
// it, names as family's scheduler names its files.
std::optional<Message> RestartObstacle(OsKind family, const char* target,
                                       const ReplacementNames& names,
                                       const EntryIdentities& identities,
                                       const FileIdentity& checked, FileSystemOps& files,
                                       const CodePage& codePage);
