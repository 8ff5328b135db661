#include "tests/fakes/plan_harness.h"

void PlanHarness::Add(const std::string& sourceField, const std::string& folderField)
{
    dialog.sourceField = sourceField;
    dialog.folderField = folderField;
    AddToPlan(plan, dialog, files, codePage, boxes);
}

void PlanHarness::Remove()
{
    RemoveFromPlan(plan, dialog, codePage);
}

bool PlanHarness::RowsMatchEntries() const
{
    if (dialog.rows.size() != static_cast<size_t>(sources.GetSize()) ||
        targets.GetSize() != sources.GetSize())
        return false;
    for (int i = 0; i < sources.GetSize(); ++i) {
        const auto& row = dialog.rows[static_cast<size_t>(i)];
        if (row[0] != std::string(sources[i]) || row[2] != std::string(targets[i]))
            return false;
    }
    return true;
}

std::vector<std::string> PlanHarness::Texts(const CStringArray& array)
{
    std::vector<std::string> texts;
    for (int i = 0; i < array.GetSize(); ++i)
        texts.push_back(std::string(array[i]));
    return texts;
}
