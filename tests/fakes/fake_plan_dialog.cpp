#include "tests/fakes/fake_plan_dialog.h"

#include "plan/version_text.h"

void FakePlanDialog::UpdateData(bool saveAndValidate)
{
    log.push_back(saveAndValidate ? "save" : "load");
    if (saveAndValidate) {
        m_plan.source = sourceField.c_str();
        m_plan.targetFolder = folderField.c_str();
    } else {
        sourceField = m_plan.source;
        folderField = m_plan.targetFolder;
    }
}

bool FakePlanDialog::GetFileVersionText(const char* path, CString& text)
{
    const size_t boxesBefore = m_boxes.shown.size();
    const bool found = ::GetFileVersionText(path, text, m_records, m_boxes);
    log.push_back(std::string("version ") + path + (m_boxes.shown.size() > boxesBefore ? " +box" : ""));
    return found;
}

int FakePlanDialog::InsertRow(int index, const char* sourceCell)
{
    log.push_back("insert " + std::to_string(index) + " " + sourceCell);
    if (insertFails || index < 0)
        return -1;
    if (index > GetRowCount())
        index = GetRowCount();
    rows.insert(rows.begin() + index, {sourceCell, "", "", ""});
    if (selected >= index)
        ++selected;
    return index;
}

void FakePlanDialog::SetCellText(int row, int column, const char* text)
{
    log.push_back("cell " + std::to_string(row) + " " + std::to_string(column) + " " + text);
    if (row >= 0 && row < GetRowCount() && column >= 0 && column < 4)
        rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

void FakePlanDialog::DeleteRow(int row)
{
    log.push_back("delete " + std::to_string(row));
    if (row < 0 || row >= GetRowCount())
        return;
    rows.erase(rows.begin() + row);
    // A list view drops the selection with its row and moves later ones up.
    if (selected == row)
        selected = -1;
    else if (selected > row)
        --selected;
}

void FakePlanDialog::SelectRow(int row)
{
    log.push_back("select " + std::to_string(row));
    if (row >= 0 && row < GetRowCount())
        selected = row;
}
