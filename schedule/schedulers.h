// The schedulers: a staged copy of every source beside its target, and the
// renames that the next restart carries out; one report box per run. Entry i
// of the plan is (sources[i], targets[i]); the plan is only read.
#pragma once

#include "framework/cstringarray.h"
#include "platform/file_system_ops.h"
#include "platform/message_boxes.h"

// NT family: "<target>.new" staged, renames recorded with move-at-restart.
void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       FileSystemOps& files, MessageBoxes& boxes);
// 9x family: the short target's ".NEW" staged, rename lines in wininit.ini.
void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       FileSystemOps& files, MessageBoxes& boxes);
