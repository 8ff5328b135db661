// Drives the schedulers and the restart request with the real Windows services
// and a message-box fake, for the restart tests run from outside:
//   schedule_probe nt|9x SOURCE TARGET [SOURCE TARGET ...]
//       schedules the pairs with the family's scheduler and writes the report
//       box's text to standard output, byte for byte;
//   schedule_probe restart nt|9x
//       answers Yes at the restart prompt and writes every box that follows;
//   schedule_probe short PATH
//       writes the short form of PATH.
// The first two refuse (exit 3) when Windows reports another family than the
// one named.
#include "app/win32_startup_services.h"
#include "framework/win32_code_page.h"
#include "platform/os_kind.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_restart_queue_store.h"
#include "platform/win32_restart_services.h"
#include "platform/win32_wide_to_ansi.h"
#include "schedule/restart_prompt.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_message_boxes.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

namespace {
OsKind FamilyNamed(const char* name)
{
    if (std::strcmp(name, "nt") == 0)
        return OS_NT;
    if (std::strcmp(name, "9x") == 0)
        return OS_9X;
    return OS_UNKNOWN;
}

OsKind ReportedFamily()
{
    const PlatformVersion version = Win32SystemFacts().GetVersion();
    return version.platformId == 2 ? OS_NT : version.platformId == 1 ? OS_9X : OS_UNKNOWN;
}

void WriteBoxes(const FakeMessageBoxes& boxes, size_t first)
{
    for (size_t i = first; i < boxes.shown.size(); ++i)
        std::fwrite(boxes.shown[i].text.data(), 1, boxes.shown[i].text.size(), stdout);
}

int Schedule(OsKind family, int pairCount, char** pairs)
{
    CStringArray sources;
    CStringArray targets;
    for (int i = 0; i + 1 < pairCount; i += 2) {
        sources.Add(pairs[i]);
        targets.Add(pairs[i + 1]);
    }
    Win32FileSystemOps files;
    Win32CodePage codePage;
    FakeMessageBoxes boxes;
    Win32RestartQueueStore queue;
    Win32WideToAnsi wideToAnsi;
    const SchedulerServices services{files, codePage, boxes, queue, wideToAnsi};
    ScheduleReplacements(family, sources, targets, services);
    WriteBoxes(boxes, 0);
    return 0;
}

int Restart(OsKind family)
{
    Win32RestartServices restart;
    FakeMessageBoxes boxes;
    boxes.Answer(box::kAnswerYes);
    AskRestart(box::kYesNo | box::kIconQuestion | box::kDefaultButton2, family, boxes, restart);
    WriteBoxes(boxes, 1);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    // The report's line breaks are single line feeds.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 3 && std::strcmp(argv[1], "short") == 0) {
        CString shortPath;
        if (!Win32FileSystemOps().GetShortPath(argv[2], shortPath))
            return 1;
        std::fputs(shortPath, stdout);
        return 0;
    }
    const bool restart = argc > 1 && std::strcmp(argv[1], "restart") == 0;
    const OsKind family = argc > 1 ? FamilyNamed(argv[restart ? argc - 1 : 1]) : OS_UNKNOWN;
    if (family == OS_UNKNOWN || (restart ? argc != 3 : argc % 2 != 0)) {
        std::fputs("usage: schedule_probe nt|9x SOURCE TARGET ... | restart nt|9x | short PATH\n",
                   stderr);
        return 2;
    }
    if (family != ReportedFamily()) {
        std::fputs("schedule_probe: Windows reports another family\n", stderr);
        return 3;
    }
    return restart ? Restart(family) : Schedule(family, argc - 2, argv + 2);
}
