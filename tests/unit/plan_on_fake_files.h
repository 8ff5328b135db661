// A replacement plan as the main dialog holds it, two parallel arrays, over a
// fake file system in which every source exists.
#pragma once

#include "framework/cstringarray.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_queue_store.h"
#include "tests/fakes/fake_wide_to_ansi.h"

#include <doctest/doctest.h>

#include <string>

struct PlanOnFakeFiles {
    typedef void Scheduler(const CStringArray& sources, const CStringArray& targets,
                           const SchedulerServices& services);

    CStringArray sources;
    CStringArray targets;
    FakeFileSystem files;
    FakeCodePage932 codePage;
    FakeRestartQueueStore queue;  // nothing queued unless a test says so
    FakeWideToAnsi wideToAnsi;

    // The schedulers' services over the fakes, reporting to boxes.
    SchedulerServices Services(MessageBoxes& boxes)
    {
        return {files, codePage, boxes, queue, wideToAnsi};
    }

    // The source and the target exist, as the add rule found them.
    void Add(const char* source, const char* target)
    {
        sources.Add(source);
        targets.Add(target);
        files.AddFile(source);
        files.AddFile(target);
    }

    // Runs scheduler on the plan; answers the text of the one report shown,
    // which a window that scrolls shows below its summary where a box would
    // not fit the screen.
    std::string ReportOf(Scheduler& scheduler)
    {
        FakeMessageBoxes boxes;
        scheduler(sources, targets, Services(boxes));
        REQUIRE(boxes.shown.size() == 1);
        CHECK(boxes.shown[0].style == box::kOk);
        CHECK(boxes.shown[0].mayScroll);
        summary = boxes.shown[0].summary;
        return boxes.shown[0].text;
    }

    std::string summary;  // of the last report
};
