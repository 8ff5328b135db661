// The main dialog's plan data with a fake dialog around it, over whatever file
// and version services a test gives: the two rules run as the dialog runs them.
#pragma once

#include "plan/replacement_plan.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_plan_dialog.h"

#include <string>
#include <vector>

struct PlanHarness {
    PlanHarness(FileSystemOps& files, VersionRecords& records)
        : files(files), dialog(plan, records, boxes) {}

    // Types the two fields and presses the add button.
    void Add(const std::string& sourceField, const std::string& folderField);
    void Remove();
    std::vector<std::string> Sources() const { return Texts(sources); }
    std::vector<std::string> Targets() const { return Texts(targets); }
    // Row i shows entry i, and there are as many rows as entries.
    bool RowsMatchEntries() const;

    FileSystemOps& files;
    FakeCodePage932 codePage;
    CString source;
    CString folder;
    CStringArray sources;
    CStringArray targets;
    PlanState plan{source, folder, sources, targets};
    FakeMessageBoxes boxes;
    FakePlanDialog dialog;

private:
    static std::vector<std::string> Texts(const CStringArray& array);
};
