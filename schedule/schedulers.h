// The schedulers: a staged copy of every source beside its target, and the
// renames that the next restart carries out; one report box per run. Entry i
// of the plan is (sources[i], targets[i]); the plan is only read.
#pragma once

#include "framework/code_page.h"
#include "framework/cstringarray.h"
#include "platform/file_system_ops.h"
#include "platform/message_boxes.h"

// What a scheduler works with: the file services, the code page their paths
// are written in, and where its report is shown.
struct SchedulerServices {
    FileSystemOps& files;
    const CodePage& codePage;
    MessageBoxes& boxes;
};

// NT family: "<target>.new" staged, renames recorded with move-at-restart.
void ScheduleReplaceNt(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services);
// 9x family: the short target's ".NEW" staged, rename lines in wininit.ini.
void ScheduleReplace9x(const CStringArray& sources, const CStringArray& targets,
                       const SchedulerServices& services);
