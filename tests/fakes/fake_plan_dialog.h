// The main dialog as the plan rules see it: two field texts, a list of rows of
// four cells, and the real version lookup over fake records and boxes. Records
// every exchange, version lookup and list change in order.
#pragma once

#include "plan/replacement_plan.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_version_records.h"

#include <array>
#include <string>
#include <vector>

class FakePlanDialog : public PlanDialog {
public:
    FakePlanDialog(PlanState& plan, VersionRecords& records, FakeMessageBoxes& boxes)
        : m_plan(plan), m_records(records), m_boxes(boxes) {}

    void UpdateData(bool saveAndValidate) override;
    bool GetFileVersionText(const char* path, CString& text) override;
    int GetRowCount() override { return static_cast<int>(rows.size()); }
    int InsertRow(int index, const char* sourceCell) override;
    void SetCellText(int row, int column, const char* text) override;
    int GetSelectedRow() override { return selected; }
    void DeleteRow(int row) override;
    void SelectRow(int row) override;

    // What the two edit controls hold.
    std::string sourceField;
    std::string folderField;
    std::vector<std::array<std::string, 4>> rows;
    int selected = -1;  // also the focused row
    bool insertFails = false;
    // "save", "load", "version PATH" (with " +box" when the lookup showed a
    // box), "insert I CELL", "cell I C TEXT", "delete I", "select I"
    std::vector<std::string> log;

private:
    PlanState& m_plan;
    VersionRecords& m_records;
    FakeMessageBoxes& m_boxes;
};
