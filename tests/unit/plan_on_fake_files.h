// A replacement plan as the main dialog holds it, two parallel arrays, over a
// fake file system in which every source exists.
#pragma once

#include "framework/cstringarray.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"

#include <doctest/doctest.h>

#include <string>

struct PlanOnFakeFiles {
    typedef void Scheduler(const CStringArray& sources, const CStringArray& targets,
                           FileSystemOps& files, MessageBoxes& boxes);

    CStringArray sources;
    CStringArray targets;
    FakeFileSystem files;

    void Add(const char* source, const char* target)
    {
        sources.Add(source);
        targets.Add(target);
        files.AddFile(source);
    }

    // Runs scheduler on the plan; answers the text of the one report box shown.
    std::string ReportOf(Scheduler& scheduler)
    {
        FakeMessageBoxes boxes;
        scheduler(sources, targets, files, boxes);
        REQUIRE(boxes.shown.size() == 1);
        CHECK(boxes.shown[0].style == box::kOk);
        return boxes.shown[0].text;
    }
};
